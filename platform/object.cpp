// object.cpp - run-time classes, exceptions, files and the resource table.
#include <cerrno>
#include <cstring>

#include "platform/afx.h"

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const {
    for (const CRuntimeClass* c = this; c != nullptr; c = c->m_pBaseClass) {
        if (c == base) return true;
    }
    return false;
}

const CRuntimeClass CObject::classCObject = {"CObject", nullptr, nullptr};
const CRuntimeClass* CObject::GetRuntimeClass() const { return &classCObject; }

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CFileException, CException)

CFileException::CFileException(std::string fileName, int osError)
    : CException(fileName + ": " + std::strerror(osError)), m_strFileName(std::move(fileName)), m_lOsError(osError) {}

// ---- files -------------------------------------------------------------------------

CFile::~CFile() {
    if (m_file) std::fclose(m_file);
}

bool CFile::Open(const std::string& name, unsigned flags, CFileException** error) {
    Close();
    const char* mode = (flags & modeCreate) ? "wb" : ((flags & modeWrite) ? "r+b" : "rb");
    m_file = std::fopen(name.c_str(), mode);
    if (!m_file) {
        // NOLINTNEXTLINE(bugprone-throw-keyword-missing): handed to the caller, not thrown
        if (error) *error = new CFileException(name, errno);
        return false;
    }
    m_name = name;
    return true;
}

std::size_t CFile::Read(void* buffer, std::size_t count) {
    if (!m_file) throw new CFileException(m_name, EBADF);
    const std::size_t n = std::fread(buffer, 1, count, m_file);
    if (n < count && std::ferror(m_file)) throw new CFileException(m_name, EIO);
    return n;
}

void CFile::Write(const void* buffer, std::size_t count) {
    if (!m_file) throw new CFileException(m_name, EBADF);
    if (std::fwrite(buffer, 1, count, m_file) != count) throw new CFileException(m_name, errno ? errno : EIO);
}

void CFile::Flush() {
    if (m_file && std::fflush(m_file) != 0) throw new CFileException(m_name, errno ? errno : EIO);
}

void CFile::Close() {
    if (!m_file) return;
    const int r = std::fclose(m_file);
    m_file = nullptr;
    if (r != 0) throw new CFileException(m_name, errno ? errno : EIO);
}

// ---- resources -------------------------------------------------------------------------

namespace {
const ResourceTable* g_resources = nullptr;
}

void AfxSetResources(const ResourceTable* table) { g_resources = table; }
const ResourceTable* AfxGetResources() { return g_resources; }

const char* AfxLoadString(unsigned id) {
    if (!g_resources) return nullptr;
    for (int i = 0; i < g_resources->stringCount; ++i) {
        if (g_resources->strings[i].id == id) return g_resources->strings[i].text;
    }
    return nullptr;
}

const ResDialog* AfxFindDialog(unsigned id) {
    if (!g_resources) return nullptr;
    for (int i = 0; i < g_resources->dialogCount; ++i) {
        if (g_resources->dialogs[i].id == id) return &g_resources->dialogs[i];
    }
    return nullptr;
}

unsigned AfxTranslateAccelerator(unsigned key, unsigned mods) {
    if (!g_resources) return 0;
    for (int i = 0; i < g_resources->acceleratorCount; ++i) {
        const ResAccelerator& a = g_resources->accelerators[i];
        if (a.key == key && a.mods == (mods & (MOD_CTRL | MOD_SHIFT | MOD_ALT))) return a.command;
    }
    return 0;
}
