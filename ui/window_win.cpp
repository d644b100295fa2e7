// The main window on Win32: creates every control from the layout, turns the controls'
// notifications into DispatchEvent calls, paints what the system controls leave to their parents,
// follows DPI changes and runs the event loop.
//
// Nesting. The layout nests controls in group boxes inside the tab control, so those containers
// are real parents: each clips its children and passes its children's notifications on to the
// main window, which handles them all in one place.
//
// Painting. A group box paints no interior of its own, and the page behind the controls belongs
// to the tab control. So a group box, a label or a radio button is drawn over the image of its
// ancestors (PaintAncestors): that is how 透明标签1 shows its group box's frame through, and how the
// labels take on the page's look inside nested boxes. 标签_进度条 lies on 进度条1: the bar clips its
// siblings, so it never paints under the label, and the label paints the bar's image and then its
// text in two colours, split where the bar's fill ends, so it reads at any position.
#include "ui/window_win.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "core/startup.h"
#include "ui/events.h"
#include "ui/layout.h"
#include "ui/number_box.h"

namespace {

constexpr wchar_t kMainWindowClass[] = L"RemoteWakeMainWindow";
constexpr DWORD kMainWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kMainWindowExStyle = 0;
constexpr int kLayoutDpi = 96;
constexpr int kIconResource = 1;

// The controls' font: SimSun 9 pt, the size the layout's 16-pixel labels and the usage text's
// line count were made for. GB2312_CHARSET makes the font mapper pick another Chinese face on a
// system without SimSun.
constexpr wchar_t kFontFace[] = L"SimSun";
constexpr int kFontPoints = 9;

// Room below the drop-down list's field for its list, in layout pixels.
constexpr int kDropDownListHeight = 160;

// The list view tells of a new current row while it is still updating the selection; the event
// runs once the list view has finished, through this message.
constexpr UINT kCurrentRowChangedMessage = WM_APP + 1;
// Not in mingw's headers for the Windows version the tool targets.
constexpr UINT kDpiChangedMessage = 0x02E0;

constexpr UINT_PTR kSubclassId = 1;

struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
using FontOwner = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;
using BitmapOwner = std::unique_ptr<std::remove_pointer_t<HBITMAP>, GdiObjectDeleter>;

// A memory device context with a bitmap selected into it, for the scope.
struct MemoryDc {
    MemoryDc(HDC compatible, HBITMAP bitmap) : dc(CreateCompatibleDC(compatible)), previous(SelectObject(dc, bitmap)) {}
    ~MemoryDc() {
        SelectObject(dc, previous);
        DeleteDC(dc);
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    HDC dc;
    HGDIOBJ previous;
};

// Restores a device context's state (origin, clipping, selected objects) when it goes.
struct SavedDcState {
    explicit SavedDcState(HDC context) : dc(context), saved(SaveDC(context)) {}
    ~SavedDcState() { RestoreDC(dc, saved); }
    SavedDcState(const SavedDcState&) = delete;
    SavedDcState& operator=(const SavedDcState&) = delete;
    HDC dc;
    int saved;
};

// An off-screen bitmap to paint into before one copy to the screen, so nothing flickers.
struct OffscreenCanvas {
    OffscreenCanvas(HDC target, int w, int h)
        : bitmap(CreateCompatibleBitmap(target, std::max(w, 1), std::max(h, 1))),
          memory(target, bitmap.get()),
          dc(memory.dc),
          width(w),
          height(h) {}
    void CopyTo(HDC target) const { BitBlt(target, 0, 0, width, height, dc, 0, 0, SRCCOPY); }
    BitmapOwner bitmap;
    MemoryDc memory;
    HDC dc;
    int width;
    int height;
};

// BeginPaint and EndPaint as one owner.
struct PaintSession {
    explicit PaintSession(HWND w) : window(w), dc(BeginPaint(w, &paint)) {}
    ~PaintSession() { EndPaint(window, &paint); }
    PaintSession(const PaintSession&) = delete;
    PaintSession& operator=(const PaintSession&) = delete;
    HWND window;
    PAINTSTRUCT paint{};
    HDC dc;
};

struct MainWindowState {
    HWND handles[kControlCount] = {};
    bool wantedVisible[kControlCount] = {};
    int layoutWidth[kControlCount] = {};  // current widths in layout pixels
    int dpi = kLayoutDpi;
    FontOwner font;
    FontOwner usageFont;    // 透明标签1's: the controls' font, or a smaller one where that one does not fit
    BitmapOwner pageImage;  // the tab control's image; empty when it must be printed again
    HWND focus = nullptr;   // the control that had the focus when the window was last deactivated
    bool saved = false;     // OnMainWindowDestroying has run
    bool destroyed = false;
    bool paintingAncestors = false;
};

MainWindowState theWindow;

int Index(Ctl control) {
    return static_cast<int>(control);
}

HWND Handle(Ctl control) {
    return theWindow.destroyed ? nullptr : theWindow.handles[Index(control)];
}

std::wstring Wide(const char* text) {
    return WideFromCodePage(text, kCodePageGbk);
}

// The control a window is, when it is one of ours.
std::optional<Ctl> ControlOf(HWND window) {
    if (window == nullptr) {
        return std::nullopt;
    }
    const int index = GetDlgCtrlID(window) - kFirstControlId;
    if (index <= 0 || index >= kControlCount || theWindow.handles[index] != window) {
        return std::nullopt;
    }
    return static_cast<Ctl>(index);
}

ControlKind KindOf(Ctl control) {
    return LayoutOf(control).kind;
}

// ---- DPI ------------------------------------------------------------------------------------

// A function of a system DLL that older Windows versions lack; null there.
template <typename Function>
Function OptionalSystemFunction(const wchar_t* module, const char* name) {
    const FARPROC address = GetProcAddress(GetModuleHandleW(module), name);
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
}

int SystemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kLayoutDpi;
}

// The DPI of the monitor the window is on (Windows 10 and later), else the system's.
int DpiOfWindow(HWND window) {
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = OptionalSystemFunction<GetDpiForWindowFunction>(L"user32", "GetDpiForWindow");
    if (getDpiForWindow != nullptr && window != nullptr) {
        const UINT dpi = getDpiForWindow(window);
        if (dpi > 0) {
            return static_cast<int>(dpi);
        }
    }
    return SystemDpi();
}

int Scale(int layoutPixels) {
    return MulDiv(layoutPixels, theWindow.dpi, kLayoutDpi);
}

// What the frame and caption bar add to a client area of the main window, at the current DPI.
SIZE NonClientSize() {
    using AdjustForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static const auto adjustForDpi =
        OptionalSystemFunction<AdjustForDpiFunction>(L"user32", "AdjustWindowRectExForDpi");
    RECT frame{0, 0, 0, 0};
    if (adjustForDpi != nullptr) {
        adjustForDpi(&frame, kMainWindowStyle, FALSE, kMainWindowExStyle, static_cast<UINT>(theWindow.dpi));
    } else {
        AdjustWindowRectEx(&frame, kMainWindowStyle, FALSE, kMainWindowExStyle);
    }
    return SIZE{frame.right - frame.left, frame.bottom - frame.top};
}

int OuterWidthOf(int layoutWidth) {
    return Scale(layoutWidth - kFrameAllowance) + NonClientSize().cx;
}

// The layout's outer height, but never less than the whole tab control needs below the caption
// bar, whatever the system's caption and frame.
int OuterHeight() {
    const int needed = Scale(LayoutOf(Ctl::选择夹1).height) + NonClientSize().cy;
    return std::max(Scale(LayoutOf(Ctl::主窗口).height), needed);
}

int ControlFontHeight() {
    return MulDiv(kFontPoints, theWindow.dpi, 72);
}

FontOwner CreateControlFont(int pixelHeight = ControlFontHeight()) {
    LOGFONTW font{};
    font.lfHeight = -pixelHeight;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = GB2312_CHARSET;
    font.lfQuality = DEFAULT_QUALITY;
    std::copy(std::begin(kFontFace), std::end(kFontFace), font.lfFaceName);
    return FontOwner(CreateFontIndirectW(&font));
}

// ---- Painting -------------------------------------------------------------------------------

// Clears theWindow.paintingAncestors again when it goes, if it set it.
struct AncestorPaintGuard {
    AncestorPaintGuard() : outermost(!theWindow.paintingAncestors) { theWindow.paintingAncestors = true; }
    ~AncestorPaintGuard() {
        if (outermost) {
            theWindow.paintingAncestors = false;
        }
    }
    AncestorPaintGuard(const AncestorPaintGuard&) = delete;
    AncestorPaintGuard& operator=(const AncestorPaintGuard&) = delete;
    bool outermost;
};

void FillPageBackground(HWND tab, HDC dc) {
    RECT client;
    GetClientRect(tab, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
}

// The tab control's image, behind every transparent control. Printing the tab control costs a few
// milliseconds (it draws its page headers' text each time), and a page has dozens of transparent
// controls, so it is printed once and copied from here. Only the page area is ever copied, which
// does not change with the current page or the mouse; the image is dropped when the look or the
// size of the tab control changes.
HBITMAP PageImage(HWND tab) {
    RECT client;
    GetClientRect(tab, &client);
    BITMAP image{};
    if (theWindow.pageImage != nullptr && GetObjectW(theWindow.pageImage.get(), sizeof image, &image) != 0 &&
        image.bmWidth == client.right && image.bmHeight == client.bottom) {
        return theWindow.pageImage.get();
    }
    HDC screen = GetDC(tab);
    BitmapOwner bitmap(
        CreateCompatibleBitmap(screen, std::max<LONG>(client.right, 1), std::max<LONG>(client.bottom, 1)));
    {
        MemoryDc canvas(screen, bitmap.get());
        FillPageBackground(tab, canvas.dc);
        SendMessageW(tab, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc), PRF_CLIENT);
    }
    ReleaseDC(tab, screen);
    theWindow.pageImage = std::move(bitmap);
    return theWindow.pageImage.get();
}

void ForgetPageImage() {
    theWindow.pageImage.reset();
}

// Paints into the control's device context what its ancestors show behind it, from the tab
// control's page inwards: the page, then each enclosing group box's frame and caption.
void PaintAncestors(HWND control, HDC dc) {
    const HWND main = Handle(Ctl::主窗口);
    std::vector<HWND> ancestors;
    for (HWND ancestor = GetParent(control); ancestor != nullptr && ancestor != main; ancestor = GetParent(ancestor)) {
        ancestors.push_back(ancestor);
    }
    // An ancestor that prints itself asks for its own background again; that one is painted here.
    AncestorPaintGuard guard;
    for (auto ancestor = ancestors.rbegin(); ancestor != ancestors.rend(); ++ancestor) {
        POINT origin{0, 0};
        MapWindowPoints(control, *ancestor, &origin, 1);
        if (*ancestor == Handle(Ctl::选择夹1)) {
            RECT client;
            GetClientRect(control, &client);
            MemoryDc page(dc, PageImage(*ancestor));
            BitBlt(dc, 0, 0, client.right, client.bottom, page.dc, origin.x, origin.y, SRCCOPY);
            continue;
        }
        SavedDcState state(dc);
        OffsetViewportOrgEx(dc, -origin.x, -origin.y, nullptr);
        SendMessageW(*ancestor, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    }
}

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(std::max(GetWindowTextLengthW(window), 0)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// How far 进度条1's fill reaches, as an x in the label's client coordinates.
int ProgressFillEdgeInLabel(HWND label, HWND bar) {
    RECT barClient;
    GetClientRect(bar, &barClient);
    PBRANGE range{};
    SendMessageW(bar, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    const int position = static_cast<int>(SendMessageW(bar, PBM_GETPOS, 0, 0));
    const int span = range.iHigh - range.iLow;
    const int inner = std::max<int>(barClient.right - 2, 0);  // the bar's one-pixel border on either side
    const int filled = span > 0 ? MulDiv(std::clamp(position - range.iLow, 0, span), inner, span) : 0;
    POINT edge{1 + filled, 0};
    MapWindowPoints(bar, label, &edge, 1);
    return edge.x;
}

// Black or white, whichever reads better on the average colour of a stretch of the canvas's
// middle row: the bar's fill and its empty part have the theme's colours, not known beforehand.
COLORREF TextColourOn(HDC canvas, LONG left, LONG right, LONG row) {
    double luminance = 0;
    int samples = 0;
    for (LONG x = left; x < right; ++x) {
        const COLORREF colour = GetPixel(canvas, x, row);
        if (colour != CLR_INVALID) {
            luminance += 0.299 * GetRValue(colour) + 0.587 * GetGValue(colour) + 0.114 * GetBValue(colour);
            ++samples;
        }
    }
    const bool dark = samples > 0 && luminance / samples < 140;
    return dark ? RGB(255, 255, 255) : RGB(0, 0, 0);
}

// 标签_进度条: the bar's image, then the text centred on it, split where the bar's fill ends, each
// part in the colour that reads on the bar beneath it.
void PaintProgressLabel(HWND label) {
    PaintSession paint(label);
    RECT client;
    GetClientRect(label, &client);
    OffscreenCanvas canvas(paint.dc, client.right, client.bottom);
    PaintAncestors(label, canvas.dc);
    const HWND bar = Handle(Ctl::进度条1);
    if (bar != nullptr && IsWindowVisible(bar)) {
        POINT origin{0, 0};
        MapWindowPoints(label, bar, &origin, 1);
        SavedDcState state(canvas.dc);
        OffsetViewportOrgEx(canvas.dc, -origin.x, -origin.y, nullptr);
        SendMessageW(bar, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc), PRF_CLIENT);
    }
    const std::wstring text = WindowText(label);
    const LONG fillEdge = std::clamp<LONG>(bar != nullptr ? ProgressFillEdgeInLabel(label, bar) : 0, 0, client.right);
    const RECT parts[] = {
        {client.left, client.top, fillEdge, client.bottom},
        {fillEdge, client.top, client.right, client.bottom},
    };
    for (const RECT& part : parts) {
        if (part.left >= part.right) {
            continue;
        }
        const COLORREF colour = TextColourOn(canvas.dc, part.left, part.right, client.bottom / 2);
        SavedDcState state(canvas.dc);
        IntersectClipRect(canvas.dc, part.left, part.top, part.right, part.bottom);
        SelectObject(canvas.dc, theWindow.font.get());
        SetBkMode(canvas.dc, TRANSPARENT);
        SetTextColor(canvas.dc, colour);
        RECT box = client;
        DrawTextW(canvas.dc, text.c_str(), static_cast<int>(text.size()), &box,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    canvas.CopyTo(paint.dc);
}

// Labels and radio buttons: drawn over their ancestors' image, without a background of their own.
// A group box has had its ancestors' image painted when it was erased; its caption and frame go
// over that.
LRESULT TransparentControlColour(HDC dc, HWND control, bool paintAncestors) {
    if (paintAncestors && !theWindow.paintingAncestors) {
        PaintAncestors(control, dc);
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
}

// ---- Subclassed controls --------------------------------------------------------------------

// The control that sent a notification or asks for its colours, from the message.
HWND SenderOf(UINT message, LPARAM lParam) {
    switch (message) {
        case WM_NOTIFY: return reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
        case WM_DRAWITEM: return reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem;
        default: return reinterpret_cast<HWND>(lParam);  // WM_COMMAND and WM_CTLCOLOR*
    }
}

bool IsChildMessage(UINT message) {
    switch (message) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_DRAWITEM:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORSCROLLBAR: return true;
        default: return false;
    }
}

LRESULT EraseContainer(HWND container, HDC dc) {
    if (container == Handle(Ctl::选择夹1)) {
        FillPageBackground(container, dc);
    } else {
        PaintAncestors(container, dc);
    }
    return 1;
}

// The tab control and the group boxes: what their children tell them goes to the main window.
LRESULT CALLBACK ContainerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (IsChildMessage(message) && ControlOf(SenderOf(message, lParam)).has_value()) {
        return SendMessageW(Handle(Ctl::主窗口), message, wParam, lParam);
    }
    switch (message) {
        case WM_ERASEBKGND: return EraseContainer(window, reinterpret_cast<HDC>(wParam));
        case WM_NCDESTROY: RemoveWindowSubclass(window, ContainerProc, kSubclassId); break;
        default: break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

// What an input method composes arrives as WM_IME_CHAR, which the edit control may take without a
// WM_CHAR: both are filtered.
LRESULT CALLBACK NumberBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    switch (message) {
        case WM_CHAR:
        case WM_IME_CHAR:
            if (!IsAcceptedInNumberBox(static_cast<unsigned int>(wParam))) {
                return 0;
            }
            break;
        case WM_NCDESTROY: RemoveWindowSubclass(window, NumberBoxProc, kSubclassId); break;
        default: break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

// 进度条1: once it has painted itself, the label on it paints again over the new image.
LRESULT CALLBACK ProgressBarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    switch (message) {
        case WM_PAINT: {
            const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
            if (const HWND label = Handle(Ctl::标签_进度条)) {
                InvalidateRect(label, nullptr, FALSE);
            }
            return result;
        }
        case WM_NCDESTROY: RemoveWindowSubclass(window, ProgressBarProc, kSubclassId); break;
        default: break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

LRESULT CALLBACK ProgressLabelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    switch (message) {
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: PaintProgressLabel(window); return 0;
        case WM_SETTEXT: {
            // The static control would draw its new text at once, past WM_PAINT, on a background
            // of its own that hides the bar (Wine does): the text is the window's, kept by the
            // default procedure, and the painting is ours.
            const LRESULT result = DefWindowProcW(window, message, wParam, lParam);
            InvalidateRect(window, nullptr, FALSE);
            return result;
        }
        case WM_NCDESTROY: RemoveWindowSubclass(window, ProgressLabelProc, kSubclassId); break;
        default: break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

// ---- Creating and placing the controls ------------------------------------------------------

struct ControlClass {
    const wchar_t* name;
    DWORD style;
    DWORD exStyle;
    SUBCLASSPROC subclass;
};

ControlClass ClassOf(ControlKind kind) {
    switch (kind) {
        case ControlKind::Window: break;
        case ControlKind::Tab:
            return {WC_TABCONTROLW, WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_TABSTOP, WS_EX_CONTROLPARENT, ContainerProc};
        case ControlKind::GroupBox:
            return {WC_BUTTONW, BS_GROUPBOX | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, ContainerProc};
        case ControlKind::Label: return {WC_STATICW, SS_LEFT | SS_NOPREFIX | SS_CENTERIMAGE, 0, nullptr};
        case ControlKind::TransparentLabel: return {WC_STATICW, SS_LEFT | SS_NOPREFIX, 0, nullptr};
        case ControlKind::OverlayLabel: return {WC_STATICW, SS_CENTER | SS_NOPREFIX, 0, ProgressLabelProc};
        case ControlKind::DropDownList: return {WC_COMBOBOXW, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0, nullptr};
        case ControlKind::Button: return {WC_BUTTONW, BS_PUSHBUTTON | WS_TABSTOP, 0, nullptr};
        case ControlKind::RadioButton: return {WC_BUTTONW, BS_AUTORADIOBUTTON, 0, nullptr};
        case ControlKind::Edit: return {WC_EDITW, ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, nullptr};
        case ControlKind::NumberEdit: return {WC_EDITW, ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, NumberBoxProc};
        case ControlKind::ProgressBar: return {PROGRESS_CLASSW, WS_CLIPSIBLINGS, 0, ProgressBarProc};
        case ControlKind::ListView:
            return {WC_LISTVIEWW, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP, WS_EX_CLIENTEDGE,
                    nullptr};
    }
    return {WC_STATICW, 0, 0, nullptr};
}

// Every control starts a group of its own for the dialog keyboard interface, except the second
// radio button, which joins the first: the arrow keys move between the two, and the Tab key
// stops at the checked one.
DWORD GroupStyleOf(Ctl control) {
    if (control == Ctl::单选框_外网) {
        return 0;
    }
    return control == Ctl::单选框_内网 ? WS_GROUP | WS_TABSTOP : WS_GROUP;
}

bool OnCurrentPage(Ctl control) {
    const ControlLayout& layout = LayoutOf(control);
    if (layout.parent != Ctl::选择夹1) {
        return true;
    }
    return layout.page == static_cast<int>(SendMessageW(Handle(Ctl::选择夹1), TCM_GETCURSEL, 0, 0));
}

void ApplyVisibility(Ctl control) {
    const bool visible = theWindow.wantedVisible[Index(control)] && OnCurrentPage(control);
    ShowWindow(Handle(control), visible ? SW_SHOWNA : SW_HIDE);
}

// The page's own controls: the old page's go first, so the two pages never show at once.
void ApplyPageVisibility() {
    const int page = static_cast<int>(SendMessageW(Handle(Ctl::选择夹1), TCM_GETCURSEL, 0, 0));
    for (const bool showing : {false, true}) {
        for (int i = 0; i < kControlCount; ++i) {
            const Ctl control = static_cast<Ctl>(i);
            const ControlLayout& layout = LayoutOf(control);
            if (layout.parent == Ctl::选择夹1 && (layout.page == page) == showing) {
                ApplyVisibility(control);
            }
        }
    }
}

// The drop-down list's field takes its height from the font; the item height is tuned so that the
// field is as tall as the layout says. Measured, not computed: Wine's CB_GETITEMHEIGHT gives 2 more
// than the CB_SETITEMHEIGHT that led to it.
void FitDropDownListHeight(HWND list, int height) {
    const auto fieldHeight = [list] {
        RECT field;
        GetWindowRect(list, &field);
        return static_cast<int>(field.bottom - field.top);
    };
    int difference = height - fieldHeight();
    LRESULT itemHeight = SendMessageW(list, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    for (int attempt = 0; attempt < 3 && difference != 0 && itemHeight != CB_ERR; ++attempt) {
        itemHeight += difference;
        if (itemHeight <= 0) {
            return;
        }
        SendMessageW(list, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), itemHeight);
        difference = height - fieldHeight();
    }
}

// Places a control (not the main window) by the layout, at its current width and the current DPI.
void PlaceControl(Ctl control) {
    const ControlLayout& layout = LayoutOf(control);
    const bool dropDown = layout.kind == ControlKind::DropDownList;
    const int height = Scale(layout.height) + (dropDown ? Scale(kDropDownListHeight) : 0);
    SetWindowPos(Handle(control), nullptr, Scale(layout.x), Scale(layout.y),
                 Scale(theWindow.layoutWidth[Index(control)]), height, SWP_NOZORDER | SWP_NOACTIVATE);
    if (dropDown) {
        FitDropDownListHeight(Handle(control), Scale(layout.height));
    }
}

void PlaceControls() {
    for (int i = 1; i < kControlCount; ++i) {
        PlaceControl(static_cast<Ctl>(i));
    }
}

// The usage text must show whole. SimSun, for which the layout was made, sets it in 16 lines of
// 12 pixels, within the label's 208; a system that draws SimSun's text with another face (Wine
// uses one with a taller line) may need more room than there is, and then the text gets the
// largest smaller size that fits.
FontOwner FitUsageFont() {
    const HWND label = Handle(Ctl::透明标签1);
    const std::wstring text = WindowText(label);
    RECT client;
    GetClientRect(label, &client);
    HDC dc = GetDC(label);
    const int largest = ControlFontHeight();
    const int smallest = largest * 3 / 4;
    FontOwner font;
    for (int height = largest; height >= smallest; --height) {
        font = CreateControlFont(height);
        SavedDcState state(dc);
        SelectObject(dc, font.get());
        RECT needed{0, 0, client.right, 0};
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &needed,
                  DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
        if (needed.bottom <= client.bottom) {
            break;
        }
    }
    ReleaseDC(label, dc);
    return font;
}

void SetFontOfControls() {
    for (int i = 0; i < kControlCount; ++i) {
        if (static_cast<Ctl>(i) != Ctl::主窗口) {
            SendMessageW(theWindow.handles[i], WM_SETFONT, reinterpret_cast<WPARAM>(theWindow.font.get()), FALSE);
        }
    }
}

// Once the label has its size.
void SetUsageFont() {
    FontOwner previous = std::move(theWindow.usageFont);  // in use until the label has the new one
    theWindow.usageFont = FitUsageFont();
    SendMessageW(Handle(Ctl::透明标签1), WM_SETFONT, reinterpret_cast<WPARAM>(theWindow.usageFont.get()), TRUE);
}

bool CreateControl(Ctl control, HINSTANCE instance) {
    const ControlLayout& layout = LayoutOf(control);
    const ControlClass kind = ClassOf(layout.kind);
    const DWORD style = WS_CHILD | kind.style | GroupStyleOf(control);
    const HWND window =
        CreateWindowExW(kind.exStyle, kind.name, Wide(layout.text).c_str(), style, 0, 0, 0, 0, Handle(layout.parent),
                        reinterpret_cast<HMENU>(INT_PTR{ControlId(control)}), instance, nullptr);
    if (window == nullptr) {
        return false;
    }
    theWindow.handles[Index(control)] = window;
    if (kind.subclass != nullptr) {
        SetWindowSubclass(window, kind.subclass, kSubclassId, 0);
    }
    return true;
}

void AddTabPages() {
    for (int page = 0; page < 2; ++page) {
        std::wstring title = Wide(kTabPageTitles[page]);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = title.data();
        SendMessageW(Handle(Ctl::选择夹1), TCM_INSERTITEMW, static_cast<WPARAM>(page), reinterpret_cast<LPARAM>(&item));
    }
}

void AddListColumns() {
    const HWND list = Handle(Ctl::超级列表框1);
    const DWORD extended = LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER;
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
    for (int column = 0; column < static_cast<int>(std::size(kResultColumns)); ++column) {
        std::wstring title = Wide(kResultColumns[column].title);
        LVCOLUMNW header{};
        header.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        header.fmt = LVCFMT_LEFT;
        header.cx = Scale(kResultColumns[column].width);
        header.pszText = title.data();
        header.iSubItem = column;
        SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&header));
    }
}

void ScaleListColumns(int oldDpi) {
    const HWND list = Handle(Ctl::超级列表框1);
    for (int column = 0; column < static_cast<int>(std::size(kResultColumns)); ++column) {
        const int width = static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
        SendMessageW(list, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MulDiv(width, theWindow.dpi, oldDpi));
    }
}

void SetInitialStates() {
    for (int i = 0; i < kControlCount; ++i) {
        const ControlLayout& layout = LayoutOf(static_cast<Ctl>(i));
        if (layout.kind == ControlKind::RadioButton) {
            SendMessageW(theWindow.handles[i], BM_SETCHECK, layout.checked ? BST_CHECKED : BST_UNCHECKED, 0);
        }
        if (layout.kind == ControlKind::Edit || layout.kind == ControlKind::NumberEdit) {
            // No length limit: an edit box's default one is 30,000 characters.
            SendMessageW(theWindow.handles[i], EM_SETLIMITTEXT, 0, 0);
        }
    }
    // The label lies on the bar: it must be above it in the order of siblings, which the bar's
    // clipping of its siblings relies on.
    SetWindowPos(Handle(Ctl::进度条1), Handle(Ctl::标签_进度条), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

POINT CentredInWorkArea(SIZE size) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& area = monitor.rcWork;
    return POINT{area.left + (area.right - area.left - size.cx) / 2, area.top + (area.bottom - area.top - size.cy) / 2};
}

// ---- The main window's messages -------------------------------------------------------------

LRESULT OnCommand(HWND window, WPARAM wParam, LPARAM lParam) {
    const std::optional<Ctl> control = ControlOf(reinterpret_cast<HWND>(lParam));
    if (!control) {
        return DefWindowProcW(window, WM_COMMAND, wParam, lParam);
    }
    const WORD code = HIWORD(wParam);
    const ControlKind kind = KindOf(*control);
    if (code == BN_CLICKED && (kind == ControlKind::Button || kind == ControlKind::RadioButton)) {
        DispatchEvent(*control, UiEvent::Clicked);
    } else if (code == CBN_SELCHANGE && kind == ControlKind::DropDownList) {
        DispatchEvent(*control, UiEvent::ItemPicked);
    }
    return 0;
}

LRESULT OnListItemChanged(const NMLISTVIEW& change) {
    const bool gainedFocus = (change.uChanged & LVIF_STATE) != 0 && (change.uNewState & LVIS_FOCUSED) != 0 &&
                             (change.uOldState & LVIS_FOCUSED) == 0;
    if (change.iItem >= 0 && gainedFocus) {
        PostMessageW(Handle(Ctl::主窗口), kCurrentRowChangedMessage, 0, 0);
    }
    return 0;
}

LRESULT OnNotify(HWND window, WPARAM wParam, LPARAM lParam) {
    const NMHDR& header = *reinterpret_cast<const NMHDR*>(lParam);
    const std::optional<Ctl> control = ControlOf(header.hwndFrom);
    if (control == Ctl::选择夹1 && header.code == TCN_SELCHANGE) {
        ForgetPageImage();
        ApplyPageVisibility();
        DispatchEvent(Ctl::选择夹1, UiEvent::PageChanged);
        return 0;
    }
    if (control == Ctl::超级列表框1 && header.code == LVN_ITEMCHANGED) {
        return OnListItemChanged(*reinterpret_cast<const NMLISTVIEW*>(lParam));
    }
    return DefWindowProcW(window, WM_NOTIFY, wParam, lParam);
}

LRESULT OnStaticColour(HWND window, WPARAM wParam, LPARAM lParam) {
    const HWND sender = reinterpret_cast<HWND>(lParam);
    const std::optional<Ctl> control = ControlOf(sender);
    if (control) {
        switch (KindOf(*control)) {
            case ControlKind::Label:
            case ControlKind::TransparentLabel:
            case ControlKind::RadioButton: return TransparentControlColour(reinterpret_cast<HDC>(wParam), sender, true);
            case ControlKind::GroupBox: return TransparentControlColour(reinterpret_cast<HDC>(wParam), sender, false);
            default: break;
        }
    }
    return DefWindowProcW(window, WM_CTLCOLORSTATIC, wParam, lParam);
}

LRESULT OnCurrentRowChanged() {
    DispatchEvent(Ctl::超级列表框1, UiEvent::CurrentRowChanged);
    return 0;
}

LRESULT OnDpiChanged(HWND window, WPARAM wParam, LPARAM lParam) {
    const int oldDpi = theWindow.dpi;
    theWindow.dpi = HIWORD(wParam);
    FontOwner oldFont = std::move(theWindow.font);  // in use until every control has the new one
    theWindow.font = CreateControlFont();
    SetFontOfControls();
    ScaleListColumns(oldDpi);
    PlaceControls();
    SetUsageFont();
    ForgetPageImage();
    const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
    SetWindowPos(window, nullptr, suggested.left, suggested.top,
                 OuterWidthOf(theWindow.layoutWidth[Index(Ctl::主窗口)]), OuterHeight(), SWP_NOZORDER | SWP_NOACTIVATE);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    return 0;
}

// The theme or the system colours changed: the page looks different, and the common controls hear
// of new colours only from their parent.
LRESULT OnLookChanged(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ForgetPageImage();
    if (message == WM_SYSCOLORCHANGE) {
        for (const Ctl control : {Ctl::选择夹1, Ctl::超级列表框1, Ctl::进度条1}) {
            SendMessageW(Handle(control), message, wParam, lParam);
        }
    }
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    return DefWindowProcW(window, message, wParam, lParam);
}

bool CanTakeFocus(HWND control) {
    return control != nullptr && IsWindow(control) && IsWindowVisible(control) && IsWindowEnabled(control);
}

// Like a dialog, the window gives the focus back to the control that had it when it becomes active
// again; the first time, to the MAC box, where the user starts.
LRESULT OnActivate(HWND window, WPARAM wParam) {
    if (LOWORD(wParam) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        theWindow.focus = focus != nullptr && IsChild(window, focus) ? focus : nullptr;
        return 0;
    }
    HWND focus = CanTakeFocus(theWindow.focus) ? theWindow.focus : Handle(Ctl::MAC框);
    if (!CanTakeFocus(focus)) {
        focus = GetNextDlgTabItem(window, nullptr, FALSE);
    }
    if (focus != nullptr) {
        SetFocus(focus);
    }
    return 0;
}

// The profiles are saved once, while every control still exists.
void SaveOnce() {
    if (!theWindow.saved) {
        theWindow.saved = true;
        OnMainWindowDestroying();
    }
}

LRESULT OnClose(HWND window) {
    SaveOnce();
    DestroyWindow(window);
    return 0;
}

// The session ends (log-off, shutdown): the process is ended without a WM_CLOSE, so save now.
LRESULT OnEndSession(WPARAM ending) {
    if (ending) {
        SaveOnce();
    }
    return 0;
}

LRESULT OnDestroy() {
    theWindow.destroyed = true;
    PostQuitMessage(0);
    return 0;
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND: return OnCommand(window, wParam, lParam);
        case WM_NOTIFY: return OnNotify(window, wParam, lParam);
        case WM_CTLCOLORSTATIC: return OnStaticColour(window, wParam, lParam);
        case kCurrentRowChangedMessage: return OnCurrentRowChanged();
        case kDpiChangedMessage: return OnDpiChanged(window, wParam, lParam);
        case WM_THEMECHANGED:
        case WM_SYSCOLORCHANGE: return OnLookChanged(window, message, wParam, lParam);
        case WM_ACTIVATE: return OnActivate(window, wParam);
        case WM_CLOSE: return OnClose(window);
        case WM_ENDSESSION: return OnEndSession(wParam);
        case WM_DESTROY: return OnDestroy();
        default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

bool RegisterMainWindowClass(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON,
                                                      GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
    windowClass.hIconSm =
        static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON,
                                      GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kMainWindowClass;
    return RegisterClassExW(&windowClass) != 0;
}

void DispatchOne(MSG& message) {
    const HWND main = Handle(Ctl::主窗口);
    if (main != nullptr && IsDialogMessageW(main, &message)) {
        return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

}  // namespace

bool CreateMainWindow(HINSTANCE instance) {
    if (!RegisterMainWindowClass(instance)) {
        return false;
    }
    for (int i = 0; i < kControlCount; ++i) {
        const ControlLayout& layout = LayoutOf(static_cast<Ctl>(i));
        theWindow.layoutWidth[i] = layout.width;
        theWindow.wantedVisible[i] = layout.visible;
    }
    theWindow.dpi = SystemDpi();
    const ControlLayout& layout = LayoutOf(Ctl::主窗口);
    SIZE size{OuterWidthOf(layout.width), OuterHeight()};
    POINT origin = CentredInWorkArea(size);
    const HWND main = CreateWindowExW(kMainWindowExStyle, kMainWindowClass, Wide(layout.text).c_str(), kMainWindowStyle,
                                      origin.x, origin.y, size.cx, size.cy, nullptr, nullptr, instance, nullptr);
    if (main == nullptr) {
        return false;
    }
    theWindow.handles[Index(Ctl::主窗口)] = main;
    // A window created on a monitor of another DPI than the system's takes that monitor's.
    const int dpi = DpiOfWindow(main);
    if (dpi != theWindow.dpi) {
        theWindow.dpi = dpi;
        size = SIZE{OuterWidthOf(layout.width), OuterHeight()};
        origin = CentredInWorkArea(size);
        SetWindowPos(main, nullptr, origin.x, origin.y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    theWindow.font = CreateControlFont();
    for (int i = 1; i < kControlCount; ++i) {
        if (!CreateControl(static_cast<Ctl>(i), instance)) {
            return false;
        }
    }
    SetFontOfControls();
    AddTabPages();
    AddListColumns();
    SetInitialStates();
    PlaceControls();
    SetUsageFont();
    for (int i = 1; i < kControlCount; ++i) {
        ApplyVisibility(static_cast<Ctl>(i));
    }
    return true;
}

void ShowMainWindow(int showCommand) {
    const HWND main = Handle(Ctl::主窗口);
    ShowWindow(main, showCommand);
    UpdateWindow(main);
}

int RunEventLoop() {
    MSG message{};
    BOOL got = FALSE;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0) {
        DispatchOne(message);
    }
    return got == 0 ? static_cast<int>(message.wParam) : 1;
}

HWND ControlWindow(Ctl control) {
    return Handle(control);
}

int ToScreenPixels(int layoutPixels) {
    return Scale(layoutPixels);
}

int ToLayoutPixels(int screenPixels) {
    return MulDiv(screenPixels, kLayoutDpi, theWindow.dpi);
}

int LayoutWidth(Ctl control) {
    RECT outer{};
    GetWindowRect(Handle(control), &outer);
    const int width = outer.right - outer.left;
    if (control == Ctl::主窗口) {
        return ToLayoutPixels(width - NonClientSize().cx) + kFrameAllowance;
    }
    return ToLayoutPixels(width);
}

void SetLayoutWidth(Ctl control, int layoutWidth) {
    if (Handle(control) == nullptr) {
        return;
    }
    theWindow.layoutWidth[Index(control)] = layoutWidth;
    if (control == Ctl::主窗口) {
        RECT outer{};
        GetWindowRect(Handle(control), &outer);
        SetWindowPos(Handle(control), nullptr, 0, 0, OuterWidthOf(layoutWidth), outer.bottom - outer.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        PlaceControl(control);
    }
}

void SetControlVisible(Ctl control, bool visible) {
    theWindow.wantedVisible[Index(control)] = visible;
    ApplyVisibility(control);
}

bool DispatchQueuedMessages() {
    MSG message{};
    while (!theWindow.destroyed && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // The outer event loop must see it too.
            PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        DispatchOne(message);
    }
    return !theWindow.destroyed;
}

bool DispatchMessagesFor(DWORD milliseconds) {
    const ULONGLONG end = GetTickCount64() + milliseconds;
    for (;;) {
        if (!DispatchQueuedMessages()) {
            return false;
        }
        const ULONGLONG now = GetTickCount64();
        if (now >= end) {
            return true;
        }
        MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(end - now), QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}
