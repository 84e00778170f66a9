// doc.cpp - documents and the single-document template.
#include <algorithm>
#include <filesystem>

#include "platform/afx.h"
#include "platform/internal.h"

using afx_internal::State;

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)
IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)
IMPLEMENT_DYNAMIC(CSingleDocTemplate, CDocTemplate)

// ---- CDocument ----------------------------------------------------------------------------

CDocument::~CDocument() {
    for (CView* view : m_views) view->m_pDocument = nullptr;
}

void CDocument::AddView(CView* view) {
    if (std::find(m_views.begin(), m_views.end(), view) == m_views.end()) m_views.push_back(view);
    view->m_pDocument = this;
}

void CDocument::RemoveView(CView* view) {
    m_views.erase(std::remove(m_views.begin(), m_views.end(), view), m_views.end());
    if (view->m_pDocument == this) view->m_pDocument = nullptr;
}

void CDocument::SetTitle(const std::string& title) {
    m_strTitle = title;
    UpdateFrameCounts();
}

void CDocument::UpdateFrameCounts() {
    for (CView* view : m_views) {
        if (CFrameWnd* frame = view->GetParentFrame()) frame->UpdateFrameTitle();
    }
}

void CDocument::SetPathName(const std::string& path, bool addToRecentList) {
    std::error_code ec;
    std::filesystem::path full = std::filesystem::absolute(path, ec);
    if (ec) full = path;
    m_strPathName = full.lexically_normal().string();
    SetTitle(full.filename().string());
    if (addToRecentList && State().app) State().app->AddToRecentFileList(m_strPathName);
}

BOOL CDocument::OnNewDocument() {
    DeleteContents();
    m_strPathName.clear();
    SetModifiedFlag(false);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(const char* pathName) {
    CFile file;
    CFileException* error = nullptr;
    if (!file.Open(pathName, CFile::modeRead, &error)) {
        const std::string text = std::string("Das Dokument \"") + pathName + "\" kann nicht geöffnet werden.";
        error->Delete();
        AfxMessageBox(text.c_str());
        return FALSE;
    }
    DeleteContents();
    try {
        CArchive ar(&file, CArchive::load);
        Serialize(ar);
        ar.Close();
    } catch (CException* e) {
        e->Delete();
        DeleteContents();
        AfxMessageBox("Lesefehler");
        return FALSE;
    }
    SetModifiedFlag(false);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(const char* pathName) {
    CFile file;
    CFileException* error = nullptr;
    if (!file.Open(pathName, CFile::modeCreate | CFile::modeWrite, &error)) {
        const std::string text = std::string("Das Dokument \"") + pathName + "\" kann nicht gespeichert werden.";
        error->Delete();
        AfxMessageBox(text.c_str());
        return FALSE;
    }
    try {
        CArchive ar(&file, CArchive::store);
        Serialize(ar);
        ar.Close();
        file.Close();
    } catch (CException* e) {
        e->Delete();
        AfxMessageBox("Fehler beim Schreiben");
        return FALSE;
    }
    SetModifiedFlag(false);
    return TRUE;
}

bool CDocument::DoSave(const std::string& pathName) {
    std::string name = pathName;
    if (name.empty()) {
        // The title proposes the name, cut before the first character that
        // file names had better not carry.
        const std::string proposal = m_strTitle.substr(0, m_strTitle.find_first_of(" #%;/\\"));
        if (!AfxPromptFileName("Speichern unter", proposal, name) || name.empty()) return false;
    }
    if (!OnSaveDocument(name.c_str())) return false;
    SetPathName(name);
    return true;
}

void CDocument::OnFileSave() { DoSave(m_strPathName); }

bool CDocument::OnCmdMsg(unsigned id) {
    switch (id) {
        case ID_FILE_SAVE: OnFileSave(); return true;
        case ID_FILE_SAVE_AS: DoSave(""); return true;
        default: return false;
    }
}

// ---- templates ------------------------------------------------------------------------------

CDocTemplate::CDocTemplate(unsigned resourceId, const CRuntimeClass* docClass, const CRuntimeClass* frameClass,
                           const CRuntimeClass* viewClass)
    : m_nIDResource(resourceId), m_pDocClass(docClass), m_pFrameClass(frameClass), m_pViewClass(viewClass) {}

bool CDocTemplate::GetDocString(std::string& out, DocStringIndex index) const {
    out.clear();
    const char* s = AfxLoadString(m_nIDResource);
    if (!s) return false;
    const std::string all = s;
    std::size_t start = 0;
    for (int i = 0; i < index; ++i) {
        start = all.find('\n', start);
        if (start == std::string::npos) return false;
        ++start;
    }
    const std::size_t end = all.find('\n', start);
    out = all.substr(start, end == std::string::npos ? std::string::npos : end - start);
    return !out.empty();
}

CSingleDocTemplate::~CSingleDocTemplate() { CloseAllDocuments(); }

void CSingleDocTemplate::SetDefaultTitle(CDocument* doc) const {
    std::string title;
    if (!GetDocString(title, docName)) title = "Unbenannt";
    doc->SetTitle(title);
}

void CSingleDocTemplate::FrameGone(CFrameWnd* frame) {
    if (frame != m_pFrame) return;
    m_pFrame = nullptr;
    delete m_pOnlyDoc;
    m_pOnlyDoc = nullptr;
}

void CSingleDocTemplate::CloseAllDocuments() {
    if (m_pFrame) {
        m_pFrame->DestroyWindow();  // FrameGone deletes the document
    }
    delete m_pOnlyDoc;
    m_pOnlyDoc = nullptr;
}

CDocument* CSingleDocTemplate::OpenDocumentFile(const char* pathName, bool makeVisible) {
    CDocument* doc = m_pOnlyDoc;
    bool created = false;
    if (!doc) {
        CObject* object = m_pDocClass->CreateObject();
        if (!object || !object->IsKindOf(RUNTIME_CLASS(CDocument))) {
            delete object;
            return nullptr;
        }
        doc = static_cast<CDocument*>(object);
        doc->m_pDocTemplate = this;
        CObject* frameObject = m_pFrameClass->CreateObject();
        if (!frameObject || !frameObject->IsKindOf(RUNTIME_CLASS(CFrameWnd))) {
            delete frameObject;
            delete doc;
            return nullptr;
        }
        auto* frame = static_cast<CFrameWnd*>(frameObject);
        CCreateContext context;
        context.m_pNewViewClass = m_pViewClass;
        context.m_pCurrentDoc = doc;
        context.m_pNewDocTemplate = this;
        m_pOnlyDoc = doc;
        m_pFrame = frame;
        if (!frame->LoadFrame(m_nIDResource, &context)) {  // the frame is gone on failure
            if (m_pFrame == frame) m_pFrame = nullptr;
            if (m_pOnlyDoc) {
                delete m_pOnlyDoc;
                m_pOnlyDoc = nullptr;
            }
            return nullptr;
        }
        created = true;
    }
    CFrameWnd* frame = m_pFrame;
    if (!pathName) {
        SetDefaultTitle(doc);
        if (!doc->OnNewDocument()) {
            if (created && frame) frame->DestroyWindow();
            return nullptr;
        }
    } else {
        if (!doc->OnOpenDocument(pathName)) {
            if (created && frame) frame->DestroyWindow();
            return nullptr;
        }
        doc->SetPathName(pathName);
    }
    CWinApp* app = State().app;
    if (created && app && !app->m_pMainWnd) app->m_pMainWnd = frame;
    if (frame) frame->InitialUpdateFrame(doc, makeVisible);
    return doc;
}
