// afx.h - the portable core of the platform layer: a small single-document
// application framework.
//
// What it gives: run-time class information and dynamic creation; an
// exception class, files and archives; a device context that draws into the
// window's 32-bit surface (text with a built-in bitmap font, DIBs unscaled or
// stretched); windows that receive numbered messages from one queue (paint
// messages come only when the window has been invalidated and nothing else
// is waiting; the quit message ends the pump); a frame window, a document, a
// single-document template, a view and a scroll view; a modal dialog and a
// message box with one OK button; the application object with its pump
// (InitInstance, Run, PumpMessage, OnIdle, IsIdleMessage, ExitInstance) and a
// settings store for the recent-file list.  The window system itself sits
// behind platform/backend.h.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "platform/backend.h"
#include "platform/resources.h"
#include "platform/types.h"

class CDib;

// ---- run-time classes --------------------------------------------------------

class CObject;

struct CRuntimeClass {
    const char* m_lpszClassName;
    CObject* (*m_pfnCreateObject)();  // null: not dynamically creatable
    const CRuntimeClass* m_pBaseClass;

    CObject* CreateObject() const { return m_pfnCreateObject ? m_pfnCreateObject() : nullptr; }
    bool IsDerivedFrom(const CRuntimeClass* base) const;
};

#define RUNTIME_CLASS(name) (&name::class##name)
#define DECLARE_DYNAMIC(name)                     \
public:                                           \
    static const CRuntimeClass class##name;       \
    const CRuntimeClass* GetRuntimeClass() const override;
#define DECLARE_DYNCREATE(name) \
    DECLARE_DYNAMIC(name)       \
    static CObject* CreateObject();
#define IMPLEMENT_DYNAMIC(name, base)                                                         \
    const CRuntimeClass name::class##name = {#name, nullptr, RUNTIME_CLASS(base)};            \
    const CRuntimeClass* name::GetRuntimeClass() const { return RUNTIME_CLASS(name); }
// NOLINTBEGIN(bugprone-macro-parentheses): `new name` wants a bare class name
#define IMPLEMENT_DYNCREATE(name, base)                                                       \
    CObject* name::CreateObject() { return new name; }                                        \
    const CRuntimeClass name::class##name = {#name, &name::CreateObject, RUNTIME_CLASS(base)}; \
    const CRuntimeClass* name::GetRuntimeClass() const { return RUNTIME_CLASS(name); }
// NOLINTEND(bugprone-macro-parentheses)

class CObject {
public:
    static const CRuntimeClass classCObject;
    virtual ~CObject() = default;
    virtual const CRuntimeClass* GetRuntimeClass() const;
    bool IsKindOf(const CRuntimeClass* cls) const { return GetRuntimeClass()->IsDerivedFrom(cls); }
};

// ---- exceptions, files, archives -----------------------------------------------

class CException : public CObject {
    DECLARE_DYNAMIC(CException)
public:
    explicit CException(std::string message = "") : m_message(std::move(message)) {}
    const std::string& GetErrorMessage() const { return m_message; }
    void Delete() { delete this; }

protected:
    std::string m_message;
};

class CFileException : public CException {
    DECLARE_DYNAMIC(CFileException)
public:
    CFileException(std::string fileName, int osError);
    std::string m_strFileName;
    int m_lOsError;
};

class CFile {
public:
    enum OpenFlags : unsigned { modeRead = 0, modeWrite = 1, modeCreate = 0x1000 };
    CFile() = default;
    ~CFile();
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // False (and the error in *error if given) when the file cannot be opened.
    bool Open(const std::string& name, unsigned flags, CFileException** error = nullptr);
    // Both throw a new CFileException on an error.
    std::size_t Read(void* buffer, std::size_t count);
    void Write(const void* buffer, std::size_t count);
    void Flush();
    void Close();
    const std::string& GetFilePath() const { return m_name; }
    std::FILE* Handle() const { return m_file; }

private:
    std::FILE* m_file = nullptr;
    std::string m_name;
};

class CArchive {
public:
    enum Mode { load = 1, store = 0 };
    CArchive(CFile* file, Mode mode) : m_file(file), m_mode(mode) {}
    bool IsLoading() const { return m_mode == load; }
    bool IsStoring() const { return m_mode == store; }
    CFile* GetFile() const { return m_file; }
    void Flush() {
        if (IsStoring()) m_file->Flush();
    }
    void Close() { Flush(); }

private:
    CFile* m_file;
    Mode m_mode;
};

// ---- device context ------------------------------------------------------------------

class CDC {
public:
    // A context on `surface` whose logical (0, 0) is the client origin
    // `clientOrigin` (surface pixels), clipped to `clip` (surface pixels).
    CDC(Surface* surface, CPoint clientOrigin, CRect clip);
    virtual ~CDC() = default;

    CPoint SetViewportOrg(int x, int y);  // device offset of logical (0, 0) in the client
    CPoint GetViewportOrg() const { return m_viewportOrg; }
    std::uint32_t SetTextColor(std::uint32_t rgb);
    std::uint32_t SetBkColor(std::uint32_t rgb);
    int SetBkMode(int mode);  // 1 transparent, 2 opaque (the default)
    int SetStretchBltMode(int mode) { return std::exchange(m_stretchMode, mode); }

    // The text in the default font (8 x 16 cells, UTF-8, `count` bytes):
    // black on an opaque white background unless set otherwise.
    BOOL TextOut(int x, int y, const char* text, int count);
    void FillSolidRect(const CRect& rect, std::uint32_t rgb);
    // The whole DIB into the rectangle (origin, size), stretched by dropping or
    // repeating pixels when the size differs.
    BOOL DrawDib(const CDib& dib, CPoint origin, CSize size);

    // Text metrics of the default font.
    static constexpr int kCharWidth = 8;
    static constexpr int kLineHeight = 16;

    Surface* GetSurface() const { return m_surface; }
    CRect GetClipBox() const { return m_clip; }  // surface pixels
    // What drawing through this context has touched so far (surface pixels).
    CRect GetTouched() const { return m_touched; }

protected:
    CPoint ToSurface(int x, int y) const {
        return {x + m_viewportOrg.x + m_clientOrigin.x, y + m_viewportOrg.y + m_clientOrigin.y};
    }
    Surface* m_surface;
    CPoint m_clientOrigin;
    CRect m_clip;
    CPoint m_viewportOrg;
    std::uint32_t m_textColour = 0x000000;
    std::uint32_t m_bkColour = 0xFFFFFF;
    int m_bkMode = 2;
    int m_stretchMode = 3;
    CRect m_touched;
};

// ---- command targets and windows ---------------------------------------------------------

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    // Handles the command if this target has a handler for it.
    virtual bool OnCmdMsg(unsigned id) { (void)id; return false; }
};

struct CREATESTRUCT {
    void* lpCreateParams = nullptr;  // a view's CCreateContext
    int x = 0, y = 0, cx = 0, cy = 0;
    void* hMenu = nullptr;
    const char* lpszName = nullptr;
    unsigned style = 0;
};

class CDocument;
class CView;
class CFrameWnd;
class CDocTemplate;

struct CCreateContext {
    const CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
    CDocTemplate* m_pNewDocTemplate = nullptr;
};

class CWnd : public CCmdTarget {
    DECLARE_DYNAMIC(CWnd)
public:
    CWnd() = default;
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = 0;

    // The live window with this handle, or null.
    static CWnd* FromHandle(HWND hwnd);

    // Registers a child window at `rect` of the parent's client area and
    // sends it WM_CREATE; false (and no window) when OnCreate returns -1.
    bool CreateChild(CWnd* parent, const CRect& rect, CCreateContext* context);
    // Destroys the children, then the window: OnDestroy, unregistering,
    // PostNcDestroy (which deletes windows that own themselves).
    BOOL DestroyWindow();
    CWnd* GetParent() const { return m_parent; }
    CFrameWnd* GetParentFrame() const;
    CWnd* GetTopLevel();

    // Painting.  The update region is kept as one bounding rectangle.
    void InvalidateRect(const CRect* rect, BOOL erase);
    void Invalidate(BOOL erase = TRUE) { InvalidateRect(nullptr, erase); }
    void ValidateRect(const CRect* rect);
    // False when nothing is invalid; the rectangle in client coordinates.
    bool GetUpdateRect(CRect* rect) const;
    bool GetUpdateErase() const { return m_updateErase; }
    // How many invalidations have reached this window so far: a caller that
    // drew what it invalidated can tell later whether anything else came.
    std::uint64_t InvalidationCount() const { return m_invalidations; }
    void UpdateWindow();
    virtual void ShowWindow(int command);
    bool IsWindowVisible() const;

    // A context for the whole client area (or only `clip`, client pixels),
    // not prepared for scrolling; the release shows what was drawn at once
    // (only what the context touched).
    CDC* GetDC();
    CDC* GetDC(const CRect& clip);
    int ReleaseDC(CDC* dc);

    void GetClientRect(CRect* rect) const;
    CRect GetWindowRectInParent() const { return m_rect; }
    void MoveWindow(const CRect& rect);
    // Client origin in the top-level surface.
    CPoint ClientOriginInSurface() const;
    virtual Surface* GetSurface();
    // The surface, or null where the backend shows none (nothing is drawn then).
    Surface* SurfaceToDrawOn();
    // Shows the top-level surface through the backend: all of it, or only
    // `changed` (surface pixels; an empty rectangle shows nothing).
    void PresentTopLevel();
    void PresentTopLevel(const CRect& changed);
    // While a batch is open (batches nest), the presents of released
    // contexts are gathered and go to the backend together when the last
    // batch closes: one flush to the screen for many small parts.
    void BeginPresentBatch();
    void EndPresentBatch();

    // Messages.
    virtual std::int64_t WindowProc(unsigned message, std::uint32_t wParam, std::int64_t lParam);
    // The default handling of the message now being processed.
    std::int64_t Default();
    virtual BOOL PreTranslateMessage(MSG* msg);
    std::int64_t SendMessage(unsigned message, std::uint32_t wParam = 0, std::int64_t lParam = 0) {
        return WindowProc(message, wParam, lParam);
    }

    // Handlers; the defaults do the default handling.
    virtual int OnCreate(CREATESTRUCT* cs);
    virtual void OnDestroy() {}
    virtual void OnPaint();
    virtual void OnNcPaint(CDC* /*dc*/) {}
    virtual void OnSize(unsigned type, int cx, int cy);
    virtual void OnClose();
    virtual void OnLButtonDown(unsigned flags, CPoint point);
    virtual void OnRButtonDown(unsigned flags, CPoint point);
    // The second press of a double click (it comes instead of a button-down).
    virtual void OnLButtonDblClk(unsigned flags, CPoint point);
    virtual void OnRButtonDblClk(unsigned flags, CPoint point);
    virtual void OnKeyDown(unsigned key, unsigned mods);
    virtual void OnMouseWheel(unsigned flags, int delta, bool horizontal);
    virtual bool OnNcMouse(unsigned message, CPoint point);  // scroll bars and the like
    virtual BOOL OnCommand(unsigned id);
    virtual void PostNcDestroy() {}
    // Which part of the window a point (window coordinates) is in: true for the client area.
    virtual bool HitClient(CPoint windowPoint) const;
    virtual CRect ClientRectInWindow() const;

protected:
    bool RegisterWindow(CWnd* parent, const CRect& rect);
    std::vector<CWnd*> m_children;
    CWnd* m_parent = nullptr;
    CRect m_rect;  // in the parent's client area (top level: 0, 0, width, height)
    CRect m_update;
    bool m_updateErase = false;
    std::uint64_t m_invalidations = 0;
    bool m_visible = false;
    const MSG* m_currentMsg = nullptr;
    int m_presentBatches = 0;                 // open batches (top level only)
    std::vector<SurfaceRect> m_batchedParts;  // surface pixels waiting for the batch's end
};

class CFrameWnd : public CWnd {
    DECLARE_DYNCREATE(CFrameWnd)
public:
    CFrameWnd();
    ~CFrameWnd() override;

    // Window decorations of this layer: the outer size set in
    // PreCreateWindow includes 12 pixels across and 42 down.
    static constexpr int kBorderWidth = 12;
    static constexpr int kBorderHeight = 42;

    // Creates the top-level window: PreCreateWindow, the backend's window,
    // WM_CREATE (which makes the view from the context).
    virtual BOOL LoadFrame(unsigned resourceId, CCreateContext* context);
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    int OnCreate(CREATESTRUCT* cs) override;
    void OnSize(unsigned type, int cx, int cy) override;
    void OnClose() override;
    void OnDestroy() override;
    void PostNcDestroy() override { delete this; }
    void ShowWindow(int command) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL OnCommand(unsigned id) override;

    CView* GetActiveView() const { return m_pViewActive; }
    void SetActiveView(CView* view) { m_pViewActive = view; }
    CDocument* GetActiveDocument() const;
    void InitialUpdateFrame(CDocument* doc, bool makeVisible);
    void UpdateFrameTitle();
    // Text put after the title in the window's caption (for example " - 1/4 speed").
    void SetTitleSuffix(const std::string& suffix);
    // Full screen, and the client shown scaled to fit the window at
    // `scaledClient` (the client keeps that size; without scaling it follows
    // the window).  Backend::SetPresentation does the showing.
    void SetPresentation(bool fullScreen, bool scaled, CSize scaledClient);
    // The client area takes this size where the window shows the client 1:1
    // (Backend::ResizeClient).
    void ResizeClient(CSize client);
    Surface* GetSurface() override { return &m_surface; }
    CView* CreateView(CCreateContext* context);

protected:
    Surface m_surface;
    CView* m_pViewActive = nullptr;
    std::string m_strTitle;
    std::string m_shownTitle;
    std::string m_titleSuffix;
    bool m_backendWindow = false;
    CDocTemplate* m_pTemplate = nullptr;
};

class CView : public CWnd {
    DECLARE_DYNAMIC(CView)
public:
    ~CView() override;
    CDocument* GetDocument() const { return m_pDocument; }
    int OnCreate(CREATESTRUCT* cs) override;
    void OnPaint() override;
    void PostNcDestroy() override { delete this; }
    virtual void OnInitialUpdate();
    virtual void OnUpdate(CView* sender, long hint, CObject* hintObject);
    virtual void OnPrepareDC(CDC* /*dc*/) {}
    virtual void OnDraw(CDC* dc) = 0;
    virtual BOOL PreCreateWindow(CREATESTRUCT& /*cs*/) { return TRUE; }

protected:
    friend class CDocument;
    CDocument* m_pDocument = nullptr;
};

// A view larger than its window: scroll bars of this layer (12 pixels at
// the right and bottom, only when needed), the mouse wheel (Shift: across).
class CScrollView : public CView {
    DECLARE_DYNAMIC(CScrollView)
public:
    static constexpr int MM_TEXT = 1;
    static constexpr int kBarSize = 12;
    static const CSize sizeDefault;

    void SetScrollSizes(int mapMode, CSize total, CSize page = sizeDefault, CSize line = sizeDefault);
    CSize GetTotalSize() const { return m_totalDev; }
    CSize GetPageSize() const { return m_pageDev; }
    CSize GetLineSize() const { return m_lineDev; }
    CPoint GetScrollPosition() const { return m_scrollPos; }
    void ScrollToPosition(CPoint position);
    bool HasHorizontalBar() const { return m_hBar; }
    bool HasVerticalBar() const { return m_vBar; }

    void OnPrepareDC(CDC* dc) override;
    void OnSize(unsigned type, int cx, int cy) override;
    void OnMouseWheel(unsigned flags, int delta, bool horizontal) override;
    bool OnNcMouse(unsigned message, CPoint point) override;
    void OnNcPaint(CDC* dc) override;
    CRect ClientRectInWindow() const override;

protected:
    void UpdateBars();
    // The bar's track and thumb in window coordinates.
    bool BarGeometry(bool horizontal, CRect& track, CRect& thumb) const;

    CSize m_totalDev;
    CSize m_pageDev;
    CSize m_lineDev;
    CPoint m_scrollPos;
    bool m_hBar = false;
    bool m_vBar = false;
    int m_dragBar = 0;  // 0 none, 1 horizontal thumb, 2 vertical thumb
    int m_dragStart = 0;
    int m_dragStartPos = 0;
};

// ---- documents and the template ---------------------------------------------------------

class CDocument : public CCmdTarget {
    DECLARE_DYNAMIC(CDocument)
public:
    ~CDocument() override;
    virtual BOOL OnNewDocument();
    virtual BOOL OnOpenDocument(const char* pathName);
    virtual BOOL OnSaveDocument(const char* pathName);
    virtual void DeleteContents() {}
    virtual void Serialize(CArchive& /*ar*/) {}
    bool OnCmdMsg(unsigned id) override;
    void OnFileSave();

    const std::string& GetTitle() const { return m_strTitle; }
    void SetTitle(const std::string& title);
    const std::string& GetPathName() const { return m_strPathName; }
    void SetPathName(const std::string& path, bool addToRecentList = true);
    void SetModifiedFlag(bool modified = true) { m_modified = modified; }
    bool IsModified() const { return m_modified; }
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
    void AddView(CView* view);
    void RemoveView(CView* view);
    const std::vector<CView*>& Views() const { return m_views; }
    void UpdateFrameCounts();

protected:
    friend class CDocTemplate;
    friend class CSingleDocTemplate;
    bool DoSave(const std::string& pathName);
    std::string m_strTitle;
    std::string m_strPathName;
    bool m_modified = false;
    CDocTemplate* m_pDocTemplate = nullptr;
    std::vector<CView*> m_views;
};

class CDocTemplate : public CCmdTarget {
    DECLARE_DYNAMIC(CDocTemplate)
public:
    enum DocStringIndex { windowTitle, docName, fileNewName, filterName, filterExt, regFileTypeId, regFileTypeName };
    CDocTemplate(unsigned resourceId, const CRuntimeClass* docClass, const CRuntimeClass* frameClass,
                 const CRuntimeClass* viewClass);
    // One part of the document string ('\n'-separated).
    bool GetDocString(std::string& out, DocStringIndex index) const;
    virtual CDocument* OpenDocumentFile(const char* pathName, bool makeVisible = true) = 0;
    virtual void CloseAllDocuments() = 0;
    unsigned ResourceId() const { return m_nIDResource; }

protected:
    unsigned m_nIDResource;
    const CRuntimeClass* m_pDocClass;
    const CRuntimeClass* m_pFrameClass;
    const CRuntimeClass* m_pViewClass;
};

class CSingleDocTemplate : public CDocTemplate {
    DECLARE_DYNAMIC(CSingleDocTemplate)
public:
    using CDocTemplate::CDocTemplate;
    ~CSingleDocTemplate() override;
    // New (null path) or open: the one document is made the first time and
    // reused afterwards; its view gets a new initial update each time.
    CDocument* OpenDocumentFile(const char* pathName, bool makeVisible = true) override;
    void CloseAllDocuments() override;
    CDocument* GetDocument() const { return m_pOnlyDoc; }
    void SetDefaultTitle(CDocument* doc) const;
    void FrameGone(CFrameWnd* frame);

protected:
    CDocument* m_pOnlyDoc = nullptr;
    CFrameWnd* m_pFrame = nullptr;
};

// ---- dialogs and message boxes ---------------------------------------------------------

// A modal dialog built from a dialog resource.  This layer shows its
// caption and texts through the backend and returns IDOK when dismissed.
class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    explicit CDialog(unsigned templateId, CWnd* parent = nullptr) : m_templateId(templateId), m_pParent(parent) {}
    virtual int DoModal();
    // The text shown: the caption, then the dialog's static texts, one a line.
    std::string DialogText(std::string* caption) const;

protected:
    unsigned m_templateId;
    CWnd* m_pParent;
};

// A message box with one OK button; returns IDOK when dismissed.
int AfxMessageBox(const char* text, unsigned type = 0, unsigned helpId = 0);
// Asks for a file name, `initial` proposed: with the backend's own prompt
// where it has one, else with a box over the main window's title strip that
// takes the text typed (Enter takes it, Escape drops it); false when
// cancelled or nothing was given.
bool AfxPromptFileName(const char* prompt, const std::string& initial, std::string& name);

// The framework's own texts (messages, the untitled document's name) in the
// user's language: the translator maps a text to its translation in UTF-8,
// or returns it as it is.  Without one every text stays as written.
using AfxTranslator = const char* (*)(const char* text);
void AfxSetTranslator(AfxTranslator translator);
const char* AfxTranslate(const char* text);

// ---- the application ---------------------------------------------------------------------

struct CCommandLineInfo {
    enum ShellCommand { FileNew, FileOpen, FileNothing };
    ShellCommand m_nShellCommand = FileNew;
    std::string m_strFileName;
};

class CWinApp : public CCmdTarget {
    DECLARE_DYNAMIC(CWinApp)
public:
    explicit CWinApp(const char* appName = nullptr);
    ~CWinApp() override;

    CFrameWnd* m_pMainWnd = nullptr;
    MSG m_msgCur;
    std::string m_strAppName;
    std::string m_strRegistryKey;

    virtual BOOL InitApplication();
    virtual BOOL InitInstance() { return TRUE; }
    // The framework's message loop: pumps until the quit message, then
    // returns ExitInstance().
    virtual int Run();
    // Takes one message (blocking) and dispatches it; FALSE for the quit message.
    virtual BOOL PumpMessage();
    virtual BOOL OnIdle(long count);
    virtual BOOL IsIdleMessage(const MSG* msg);
    // 0 after a normal run; 1 after a failed start (InitInstance FALSE).
    virtual int ExitInstance();
    virtual BOOL PreTranslateMessage(MSG* msg);

    void SetRegistryKey(const char* key);
    void LoadStdProfileSettings(unsigned maxRecentFiles = 4);
    void AddDocTemplate(CDocTemplate* docTemplate);
    CDocTemplate* GetFirstDocTemplate() const { return m_templates.empty() ? nullptr : m_templates.front(); }
    void ParseCommandLine(CCommandLineInfo& info);
    BOOL ProcessShellCommand(CCommandLineInfo& info);
    void OnFileNew();
    void OnFileOpen();
    CDocument* OpenDocumentFile(const char* pathName);
    void AddToRecentFileList(const std::string& pathName);
    const std::vector<std::string>& RecentFiles() const { return m_recentFiles; }
    std::string SettingsFilePath() const;
    BOOL Enable3dControls() { return TRUE; }
    void MarkFailedStart() { m_failedStart = true; }

    // Destroys what the framework still holds (windows, templates).
    void TerminateFramework();

protected:
    std::vector<CDocTemplate*> m_templates;
    std::vector<std::string> m_recentFiles;
    unsigned m_maxRecentFiles = 0;
    CPoint m_lastMouseMove{-1, -1};
    bool m_failedStart = false;
};

using CWinThread = CWinApp;

CWinApp* AfxGetApp();
CWinThread* AfxGetThread();
// Initialises the framework on a backend (which must outlive AfxWinTerm);
// `fileArgument` is what ParseCommandLine will find (null: none).
BOOL AfxWinInit(Backend* backend, const char* fileArgument);
// Tears the framework down: windows, documents, the message queue; the
// backend's Shutdown.
void AfxWinTerm();
Backend* AfxGetBackend();
void AfxEnableControlContainer();
// True: the user, not an automation client, controls the application.
BOOL AfxOleGetUserCtrl();
void AfxPostQuitMessage(int exitCode);

// ---- the message queue -----------------------------------------------------------------------

void PostMessage(HWND hwnd, unsigned message, std::uint32_t wParam = 0, std::int64_t lParam = 0);
void PostQuitMessage(int exitCode);
enum : unsigned { PM_NOREMOVE = 0, PM_REMOVE = 1 };
// Finds the next message: posted ones first, then input, then the quit
// message, then a paint for a window with an update region.
BOOL PeekMessage(MSG* msg, HWND hwnd, unsigned filterMin, unsigned filterMax, unsigned remove);
// Takes the next message, blocking in the backend; FALSE for the quit message.
BOOL GetMessage(MSG* msg);
std::int64_t DispatchMessage(const MSG* msg);
// Turns one backend event into messages (tests feed events through this).
void AfxTranslateBackendEvent(const BackendEvent& event);
// Drops every waiting message and the quit flag.
void AfxClearMessageQueue();
// True while `wnd` is a window of this process that has not been destroyed
// (the pointer is only compared, never followed).
bool AfxIsLiveWindow(const void* wnd);
size_t AfxPendingMessageCount();

// Command ids of the framework.
enum : unsigned {
    ID_FILE_NEW = 0xE100,
    ID_FILE_OPEN = 0xE101,
    ID_FILE_CLOSE = 0xE102,
    ID_FILE_SAVE = 0xE103,
    ID_FILE_SAVE_AS = 0xE104,
    ID_EDIT_COPY = 0xE122,
    ID_EDIT_CUT = 0xE123,
    ID_EDIT_PASTE = 0xE125,
    ID_EDIT_UNDO = 0xE12B,
    ID_APP_ABOUT = 0xE140,
    ID_NEXT_PANE = 0xE150,
    ID_PREV_PANE = 0xE151,
    AFX_IDS_APP_TITLE = 0xE000,
};
