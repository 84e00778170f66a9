// winapp.cpp - the application object and its pump, framework start and
// end, dialogs, message boxes and the settings store.
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "platform/afx.h"
#include "platform/internal.h"

using afx_internal::State;

namespace afx_internal {
FrameworkState& State() {
    static FrameworkState state;
    return state;
}
}  // namespace afx_internal

IMPLEMENT_DYNAMIC(CWinApp, CCmdTarget)
IMPLEMENT_DYNAMIC(CDialog, CWnd)

CWinApp* AfxGetApp() { return State().app; }
CWinThread* AfxGetThread() { return State().app; }
Backend* AfxGetBackend() { return State().backend; }
void AfxEnableControlContainer() {}
BOOL AfxOleGetUserCtrl() { return TRUE; }

BOOL AfxWinInit(Backend* backend, const char* fileArgument) {
    auto& s = State();
    if (!backend) return FALSE;
    s.backend = backend;
    s.haveCommandLineFile = fileArgument != nullptr;
    s.commandLineFile = fileArgument ? fileArgument : "";
    AfxClearMessageQueue();
    if (s.app && s.app->m_strAppName.empty()) {
        if (const char* title = AfxLoadString(AFX_IDS_APP_TITLE)) s.app->m_strAppName = title;
    }
    return TRUE;
}

void AfxWinTerm() {
    auto& s = State();
    if (s.app) s.app->TerminateFramework();
    // Windows that no template owns.
    while (!s.windows.empty()) {
        CWnd* w = s.windows.begin()->second;
        if (!w->DestroyWindow()) s.windows.erase(s.windows.begin());
    }
    AfxClearMessageQueue();
    if (s.backend) s.backend->Shutdown();
    s.backend = nullptr;
}

// ---- message boxes and dialogs ---------------------------------------------------------------

namespace {
AfxTranslator g_translator = nullptr;
}  // namespace

void AfxSetTranslator(AfxTranslator translator) { g_translator = translator; }

const char* AfxTranslate(const char* text) { return g_translator && text ? g_translator(text) : text; }

int AfxMessageBox(const char* text, unsigned /*type*/, unsigned /*helpId*/) {
    auto& s = State();
    const std::string caption = s.app && !s.app->m_strAppName.empty() ? s.app->m_strAppName : "osk";
    if (s.backend) {
        s.backend->MessageBox(caption.c_str(), text ? text : "");
    } else {
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text ? text : "");
    }
    return IDOK;
}

std::string CDialog::DialogText(std::string* caption) const {
    const ResDialog* dialog = AfxFindDialog(m_templateId);
    if (!dialog) return {};
    if (caption) *caption = dialog->caption ? dialog->caption : "";
    std::string text;
    for (int i = 0; i < dialog->itemCount; ++i) {
        const ResDialogItem& item = dialog->items[i];
        if (std::string(item.kind) != "LTEXT" || !item.text || !*item.text) continue;
        if (!text.empty()) text += '\n';
        text += item.text;
    }
    return text;
}

int CDialog::DoModal() {
    std::string caption;
    const std::string text = DialogText(&caption);
    if (!AfxFindDialog(m_templateId)) return -1;
    if (State().backend) State().backend->MessageBox(caption.c_str(), text.c_str());
    return IDOK;
}

// ---- the application ------------------------------------------------------------------------

CWinApp::CWinApp(const char* appName) {
    if (appName) m_strAppName = appName;
    State().app = this;
}

CWinApp::~CWinApp() {
    if (State().app == this) State().app = nullptr;
}

BOOL CWinApp::InitApplication() { return TRUE; }

int CWinApp::Run() {
    for (;;) {
        long idleCount = 0;
        while (!PeekMessage(&m_msgCur, 0, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(idleCount++)) break;
        }
        if (!PumpMessage()) return ExitInstance();
    }
}

BOOL CWinApp::PumpMessage() {
    if (!GetMessage(&m_msgCur)) return FALSE;
    if (!PreTranslateMessage(&m_msgCur)) DispatchMessage(&m_msgCur);
    return TRUE;
}

BOOL CWinApp::PreTranslateMessage(MSG* msg) {
    for (CWnd* w = CWnd::FromHandle(msg->hwnd); w; w = w->GetParent()) {
        if (w->PreTranslateMessage(msg)) return TRUE;
    }
    return FALSE;
}

BOOL CWinApp::OnIdle(long count) {
    // One round of idle work (the frame's title follows its document), then none.
    if (count <= 0 && m_pMainWnd) m_pMainWnd->UpdateFrameTitle();
    return count < 1 ? TRUE : FALSE;
}

BOOL CWinApp::IsIdleMessage(const MSG* msg) {
    // Paints, the system timer and mouse moves that did not move do not
    // restart idle processing.
    if (msg->message == WM_PAINT || msg->message == WM_SYSTIMER) return FALSE;
    if (msg->message == WM_MOUSEMOVE || msg->message == WM_NCMOUSEMOVE) {
        if (msg->pt == m_lastMouseMove) return FALSE;
        m_lastMouseMove = msg->pt;
    }
    return TRUE;
}

int CWinApp::ExitInstance() { return m_failedStart ? 1 : 0; }

void CWinApp::AddDocTemplate(CDocTemplate* docTemplate) { m_templates.push_back(docTemplate); }

void CWinApp::TerminateFramework() {
    if (m_pMainWnd && CWnd::FromHandle(m_pMainWnd->m_hWnd)) m_pMainWnd->DestroyWindow();
    m_pMainWnd = nullptr;
    for (CDocTemplate* t : m_templates) delete t;
    m_templates.clear();
    m_recentFiles.clear();
    m_maxRecentFiles = 0;
    m_strRegistryKey.clear();
    m_failedStart = false;
    m_lastMouseMove = {-1, -1};
}

void CWinApp::ParseCommandLine(CCommandLineInfo& info) {
    const auto& s = State();
    if (s.haveCommandLineFile) {
        info.m_nShellCommand = CCommandLineInfo::FileOpen;
        info.m_strFileName = s.commandLineFile;
    } else {
        info.m_nShellCommand = CCommandLineInfo::FileNew;
    }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& info) {
    switch (info.m_nShellCommand) {
        case CCommandLineInfo::FileNew:
            if (!OnCmdMsg(ID_FILE_NEW)) OnFileNew();
            return m_pMainWnd != nullptr ? TRUE : FALSE;
        case CCommandLineInfo::FileOpen:
            return OpenDocumentFile(info.m_strFileName.c_str()) != nullptr ? TRUE : FALSE;
        case CCommandLineInfo::FileNothing:
            return TRUE;
    }
    return FALSE;
}

void CWinApp::OnFileNew() {
    if (CDocTemplate* t = GetFirstDocTemplate()) t->OpenDocumentFile(nullptr);
}

void CWinApp::OnFileOpen() {
    std::string name;
    if (!AfxPromptFileName(AfxTranslate("Öffnen"), "", name) || name.empty()) return;
    OpenDocumentFile(name.c_str());
}

CDocument* CWinApp::OpenDocumentFile(const char* pathName) {
    CDocTemplate* t = GetFirstDocTemplate();
    return t ? t->OpenDocumentFile(pathName) : nullptr;
}

// ---- settings: the recent-file list in a file under the user's config directory -------------

void CWinApp::SetRegistryKey(const char* key) { m_strRegistryKey = key ? key : ""; }

std::string CWinApp::SettingsFilePath() const {
    std::filesystem::path base;
#ifdef _WIN32
    // The user's roaming application data, as a file rather than the registry.
    if (const char* appData = std::getenv("APPDATA"); appData && *appData) {
        base = appData;
    } else {
        return {};
    }
#else
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/') {
        base = xdg;
    } else if (const char* home = std::getenv("HOME"); home && *home) {
        base = std::filesystem::path(home) / ".config";
    } else {
        return {};
    }
#endif
    const std::string app = m_strAppName.empty() ? "osk" : m_strAppName;
    if (m_strRegistryKey.empty()) return (base / (app + ".ini")).string();
    return (base / m_strRegistryKey / app / "settings.ini").string();
}

namespace {

// One line of `in` without its line feed; false at the end of the file.
// (The settings file is read and written with stdio rather than iostreams,
// whose locale machinery would be most of the web page's code.)
bool ReadLine(std::FILE* in, std::string& line) {
    line.clear();
    int c = 0;
    while ((c = std::getc(in)) != EOF && c != '\n') line += static_cast<char>(c);
    return c != EOF || !line.empty();
}

}  // namespace

void CWinApp::LoadStdProfileSettings(unsigned maxRecentFiles) {
    m_maxRecentFiles = maxRecentFiles;
    m_recentFiles.clear();
    const std::string path = SettingsFilePath();
    if (path.empty()) return;
    std::FILE* in = std::fopen(path.c_str(), "r");
    if (!in) return;
    std::string line;
    bool inSection = false;
    std::vector<std::pair<unsigned, std::string>> entries;
    while (ReadLine(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line.front() == '[') {
            inSection = line == "[Recent File List]";
            continue;
        }
        if (!inSection || line.rfind("File", 0) != 0) continue;
        const std::size_t eq = line.find('=');
        if (eq == std::string::npos || eq == 4) continue;
        const std::string number = line.substr(4, eq - 4);
        if (number.find_first_not_of("0123456789") != std::string::npos || number.size() > 3) continue;
        const unsigned n = static_cast<unsigned>(std::stoul(number));
        const std::string value = line.substr(eq + 1);
        if (n >= 1 && n <= maxRecentFiles && !value.empty()) entries.emplace_back(n, value);
    }
    std::fclose(in);
    std::sort(entries.begin(), entries.end());
    for (auto& [n, value] : entries) {
        if (std::find(m_recentFiles.begin(), m_recentFiles.end(), value) == m_recentFiles.end()) {
            m_recentFiles.push_back(value);
        }
    }
}

void CWinApp::AddToRecentFileList(const std::string& pathName) {
    if (m_maxRecentFiles == 0 || pathName.empty()) return;
    m_recentFiles.erase(std::remove(m_recentFiles.begin(), m_recentFiles.end(), pathName), m_recentFiles.end());
    m_recentFiles.insert(m_recentFiles.begin(), pathName);
    if (m_recentFiles.size() > m_maxRecentFiles) m_recentFiles.resize(m_maxRecentFiles);
    // Written at once: the list survives however the process ends.
    const std::string path = SettingsFilePath();
    if (path.empty()) return;
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
    const std::string temp = path + ".new";
    std::FILE* out = std::fopen(temp.c_str(), "w");
    bool written = out != nullptr;
    if (out) {
        std::fputs("[Recent File List]\n", out);
        for (std::size_t i = 0; i < m_recentFiles.size(); ++i) {
            std::fprintf(out, "File%zu=", i + 1);
            std::fputs(m_recentFiles[i].c_str(), out);
            std::fputc('\n', out);
        }
        written = !std::ferror(out);
        written = std::fclose(out) == 0 && written;
    }
    if (!written) {
        std::fprintf(stderr, "osk: cannot write settings %s\n", path.c_str());
        std::filesystem::remove(temp, ec);
        return;
    }
    std::filesystem::rename(temp, path, ec);
    if (ec) std::fprintf(stderr, "osk: cannot write settings %s: %s\n", path.c_str(), ec.message().c_str());
}
