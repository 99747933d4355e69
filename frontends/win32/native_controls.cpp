#include "frontends/win32/native_controls.h"

#include "backends/win32/wide.h"
#include "backends/win32/window_dpi.h"
#include "base/controls/text_fit.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace bt::win32 {

NativeControls::~NativeControls() {
    for (auto& [w, child] : children_)
        if (child.hfont)
            DeleteObject(child.hfont);
}

void NativeControls::rescale(Twips twips) {
    twips_ = twips;
    for (auto& [w, child] : children_) {
        setFont(w, child.font);
        child.rect = Rect{-1, -1, -1, -1};
        if (child.model)
            place(w, *child.model, child.heightFactor);
    }
}

void NativeControls::fitToWindow() {
    RECT client;
    // A minimized window's client area is empty: the room stays as it was last shown.
    if (IsIconic(parent_) || !GetClientRect(parent_, &client))
        return;
    clientWidthPx_ = client.right;
    for (auto& [w, child] : children_)
        if (child.model)
            place(w, *child.model, child.heightFactor);
}

namespace {

int extent(HWND w, HFONT font, const std::wstring& text) {
    HDC dc = GetDC(w);
    if (!dc)
        return 0;
    const HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(w, dc);
    return size.cx;
}

std::wstring windowText(HWND w) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(w)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextW(w, text.data(), static_cast<int>(text.size()))));
    return text;
}

int widestEntry(HWND list, HFONT font) {
    int widest = 0;
    const auto count = SendMessageW(list, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring entry(static_cast<std::size_t>(
                               SendMessageW(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0)) +
                               1,
                           L'\0');
        entry.resize(static_cast<std::size_t>(SendMessageW(
            list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(entry.data()))));
        widest = std::max(widest, extent(list, font, entry));
    }
    return widest;
}

} // namespace

int NativeControls::textWidth(HWND w) const {
    const auto it = children_.find(w);
    if (it == children_.end() || !it->second.hfont)
        return 0;
    const HFONT font = it->second.hfont;
    const int dpi = static_cast<int>(twips_.dpi());
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(w, GWL_STYLE));
    wchar_t cls[16] = {};
    GetClassNameW(w, cls, 16);
    const std::wstring kind = cls;
    // What the system draws around the text, at this scale.
    const int edges = 2 * metricAt(SM_CXEDGE, dpi) + MulDiv(6, dpi, 96);
    if (kind == L"Static")
        return (style & SS_TYPEMASK) == SS_LEFTNOWORDWRAP ? extent(w, font, windowText(w)) : 0;
    if (kind == L"ComboBox")
        return widestEntry(w, font) + metricAt(SM_CXVSCROLL, dpi) + edges;
    if (kind == L"Button") {
        const DWORD type = style & BS_TYPEMASK;
        const bool box = type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON ||
                         type == BS_AUTORADIOBUTTON;
        return extent(w, font, windowText(w)) +
               (box ? metricAt(SM_CXMENUCHECK, dpi) + MulDiv(6, dpi, 96) : edges);
    }
    return 0; // a text box scrolls its text
}

int NativeControls::fittedWidthPx(HWND w, const Rect& design) const {
    const auto px = [this](const Rect& r) {
        return Rect{twips_.px(r.left), twips_.px(r.top), twips_.px(r.width), twips_.px(r.height)};
    };
    std::vector<Rect> others;
    for (const auto& [other, child] : children_)
        if (other != w && child.model && child.model->visible())
            others.push_back(px(child.model->rect()));
    for (const Control* model : clear_)
        if (model->visible())
            others.push_back(px(model->rect()));
    // Before the window has its size, the design's.
    return clientWidthPx_ > 0 ? fittedWidth(px(design), textWidth(w), others, clientWidthPx_)
                              : twips_.px(design.width);
}

HWND NativeControls::create(const wchar_t* cls, DWORD style, int id, const std::string& name) {
    HWND w = CreateWindowExW(0, cls, L"", WS_CHILD | style, 0, 0, 10, 10, parent_,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                             GetModuleHandleW(nullptr), nullptr);
    children_[w].name = name;
    return w;
}

void NativeControls::place(HWND w, const Control& m, int heightFactor) {
    Child& shown = children_[w];
    shown.model = &m;
    shown.heightFactor = heightFactor;
    const Rect& r = m.rect();
    const int width = fittedWidthPx(w, r);
    if (shown.rect != r || shown.width != width) {
        SetWindowPos(w, nullptr, twips_.px(r.left), twips_.px(r.top), width,
                     twips_.px(r.height) * heightFactor, SWP_NOZORDER | SWP_NOACTIVATE);
        shown.rect = r;
        shown.width = width;
    }
    if (shown.enabled != m.enabled()) {
        EnableWindow(w, m.enabled());
        shown.enabled = m.enabled();
    }
    if (shown.visible != m.visible()) {
        ShowWindow(w, m.visible() ? SW_SHOWNA : SW_HIDE);
        shown.visible = m.visible();
    }
}

void NativeControls::setFont(HWND w, const Font& f) {
    const int dpi = static_cast<int>(twips_.dpi());
    const int height = -MulDiv(static_cast<int>(f.size * 100), dpi, 7200);
    HFONT font = CreateFontW(height, 0, 0, 0, f.bold ? FW_BOLD : FW_NORMAL, FALSE, f.underline,
                             FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, widen(f.name).c_str());
    SendMessageW(w, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    Child& child = children_[w];
    if (child.hfont)
        DeleteObject(child.hfont);
    child.hfont = font;
    child.font = f;
}

HWND NativeControls::label(Label& m, bool wrap) {
    // Labels without SS_NOTIFY let the pointer through to the window, which does the hit test.
    HWND w = create(L"STATIC", wrap ? SS_LEFT : SS_LEFTNOWORDWRAP, 0, m.name());
    children_[w].label = &m;
    auto sync = [this, w, &m] {
        SetWindowTextW(w, widen(m.caption()).c_str());
        setFont(w, m.font());
        place(w, m);
        InvalidateRect(w, nullptr, TRUE);
    };
    m.setObserver(sync);
    sync();
    return w;
}

HWND NativeControls::list(DropDownList& m, int id) {
    HWND w = create(L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, id, m.name());
    auto shown = std::make_shared<std::vector<std::string>>();
    auto sync = [this, w, &m, shown] {
        // Only what changed: refilling or reselecting the list the player is choosing in breaks
        // its drop-down's hold on the mouse and keyboard.
        if (*shown != m.items()) {
            SendMessageW(w, CB_RESETCONTENT, 0, 0);
            for (const auto& item : m.items())
                SendMessageW(w, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(item).c_str()));
            *shown = m.items();
        }
        // CB_SETCURSEL sends no CBN_SELCHANGE, so a model change never comes back as a user's.
        if (SendMessageW(w, CB_GETCURSEL, 0, 0) != m.index())
            SendMessageW(w, CB_SETCURSEL, static_cast<WPARAM>(m.index()), 0);
        place(w, m, 8); // the drop-down shows up to seven entries below the list
    };
    setFont(w, Font{});
    m.setObserver(sync);
    sync();
    return w;
}

HWND NativeControls::button(Button& m, int id) {
    HWND w = create(L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, id, m.name());
    auto sync = [this, w, &m] {
        SetWindowTextW(w, widen(m.caption()).c_str());
        place(w, m);
    };
    setFont(w, Font{});
    m.setObserver(sync);
    sync();
    return w;
}

HWND NativeControls::option(OptionButton& m, int id) {
    // A plain radio button: the model decides which one is selected.
    HWND w = create(L"BUTTON", BS_RADIOBUTTON | WS_TABSTOP, id, m.name());
    auto sync = [this, w, &m] {
        SetWindowTextW(w, widen(m.caption()).c_str());
        SendMessageW(w, BM_SETCHECK, m.value() ? BST_CHECKED : BST_UNCHECKED, 0);
        place(w, m);
    };
    setFont(w, Font{});
    m.setObserver(sync);
    sync();
    return w;
}

HWND NativeControls::check(CheckBox& m, int id) {
    HWND w = create(L"BUTTON", BS_CHECKBOX | WS_TABSTOP, id, m.name());
    auto sync = [this, w, &m] {
        SetWindowTextW(w, widen(m.caption()).c_str());
        SendMessageW(w, BM_SETCHECK, m.checked() ? BST_CHECKED : BST_UNCHECKED, 0);
        setFont(w, m.font());
        place(w, m);
    };
    m.setObserver(sync);
    sync();
    return w;
}

HWND NativeControls::edit(TextBox& m, int id) {
    HWND w = create(L"EDIT", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, id, m.name());
    auto sync = [this, w, &m] {
        wchar_t current[512] = {};
        GetWindowTextW(w, current, 512);
        if (narrow(current) != m.text())
            SetWindowTextW(w, widen(m.text()).c_str());
        place(w, m);
    };
    setFont(w, Font{});
    m.setObserver(sync);
    sync();
    return w;
}

HBRUSH NativeControls::colour(HWND control, HDC dc) {
    const auto it = children_.find(control);
    if (it == children_.end() || !it->second.label)
        return nullptr;
    const SysColor c = it->second.label->foreColor();
    SetTextColor(dc, GetSysColor(c == SysColor::Highlight ? COLOR_HIGHLIGHT
                                 : c == SysColor::Desktop ? COLOR_DESKTOP
                                                          : COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return GetSysColorBrush(COLOR_BTNFACE);
}

} // namespace bt::win32
