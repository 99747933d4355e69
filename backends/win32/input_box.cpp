#include "backends/win32/input_box.h"

#include <vector>

namespace bt::win32 {

namespace {

constexpr WORD kEdit = 100;
constexpr WORD kPrompt = 101;

struct BoxState {
    std::wstring text;
    int x;
    int y;
    bool accepted = false;
};

// Builds a DLGTEMPLATE in memory: the dialog needs no resource file.
class Template {
  public:
    void align() {
        while (bytes_.size() % 4)
            bytes_.push_back(0);
    }
    void word(WORD w) {
        bytes_.push_back(static_cast<BYTE>(w & 0xFF));
        bytes_.push_back(static_cast<BYTE>(w >> 8));
    }
    void dword(DWORD d) {
        word(static_cast<WORD>(d & 0xFFFF));
        word(static_cast<WORD>(d >> 16));
    }
    void text(const wchar_t* s) {
        for (; *s; ++s)
            word(static_cast<WORD>(*s));
        word(0);
    }
    void item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD cls,
              const wchar_t* caption) {
        align();
        dword(style | WS_CHILD | WS_VISIBLE);
        dword(0);
        word(static_cast<WORD>(x));
        word(static_cast<WORD>(y));
        word(static_cast<WORD>(cx));
        word(static_cast<WORD>(cy));
        word(id);
        word(0xFFFF);
        word(cls);
        text(caption);
        word(0);
    }
    const DLGTEMPLATE* data() {
        align();
        return reinterpret_cast<const DLGTEMPLATE*>(bytes_.data());
    }
    std::vector<BYTE> bytes_;
};

INT_PTR CALLBACK boxProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
    auto* state = reinterpret_cast<BoxState*>(GetWindowLongPtrW(dlg, DWLP_USER));
    switch (msg) {
    case WM_INITDIALOG:
        SetWindowLongPtrW(dlg, DWLP_USER, lp);
        state = reinterpret_cast<BoxState*>(lp);
        SetDlgItemTextW(dlg, kEdit, state->text.c_str());
        SetWindowPos(dlg, HWND_TOP, state->x, state->y, 0, 0, SWP_NOSIZE);
        SendDlgItemMessageW(dlg, kEdit, EM_SETSEL, 0, -1);
        SetFocus(GetDlgItem(dlg, kEdit));
        return FALSE;
    case WM_COMMAND:
        if (LOWORD(wp) == IDOK) {
            wchar_t buffer[256] = {};
            GetDlgItemTextW(dlg, kEdit, buffer, 256);
            state->text = buffer;
            state->accepted = true;
            EndDialog(dlg, IDOK);
            return TRUE;
        }
        if (LOWORD(wp) == IDCANCEL) {
            EndDialog(dlg, IDCANCEL);
            return TRUE;
        }
        break;
    default:
        break;
    }
    return FALSE;
}

} // namespace

std::wstring runInputBox(HINSTANCE instance, HWND owner, const std::wstring& prompt,
                         const std::wstring& title, const std::wstring& defaultText, int x, int y) {
    Template t;
    t.dword(DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU);
    t.dword(0);
    t.word(4); // items
    t.word(0);
    t.word(0);
    t.word(240);
    t.word(72);
    t.word(0); // no menu
    t.word(0); // standard class
    t.text(title.c_str());
    t.word(8);
    t.text(L"MS Shell Dlg");
    t.item(SS_LEFT, 7, 7, 170, 40, kPrompt, 0x0082, prompt.c_str());
    t.item(ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 7, 52, 226, 13, kEdit, 0x0081, L"");
    t.item(BS_DEFPUSHBUTTON | WS_TABSTOP, 183, 6, 50, 14, IDOK, 0x0080, L"OK");
    t.item(BS_PUSHBUTTON | WS_TABSTOP, 183, 23, 50, 14, IDCANCEL, 0x0080, L"Cancel");
    BoxState state{defaultText, x, y};
    DialogBoxIndirectParamW(instance, t.data(), owner, boxProc, reinterpret_cast<LPARAM>(&state));
    return state.accepted ? state.text : std::wstring();
}

} // namespace bt::win32
