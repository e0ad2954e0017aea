#pragma once
// Catches the message boxes that the code under test shows (real
// MessageBoxA boxes), records what they say and answers them.
#include <windows.h>

#include <deque>
#include <string>
#include <vector>

struct CaughtMessageBox {
    HWND box;
    std::string caption;
    std::string text;
    HWND owner;
    bool yesNo;            // Yes and No buttons (else OK)
    int defaultButton;     // IDOK, IDYES or IDNO
    HICON icon;
};

class MessageBoxCatcher {
public:
    MessageBoxCatcher();
    ~MessageBoxCatcher();
    MessageBoxCatcher(const MessageBoxCatcher&) = delete;
    MessageBoxCatcher& operator=(const MessageBoxCatcher&) = delete;

    // Answers to give, in order; when none is left, the default button.
    void Answer(int button) { answers_.push_back(button); }
    const std::vector<CaughtMessageBox>& boxes() const { return boxes_; }

private:
    static LRESULT CALLBACK OnCbt(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR timer, DWORD);
    void Catch(HWND box);
    void Answer(CaughtMessageBox& caught);

    HHOOK hook_;
    std::deque<int> answers_;
    std::vector<CaughtMessageBox> boxes_;
};

// Loads a string of the table in the ANSI code page, as the wizard shows it.
std::string TableString(int id);
// Converts UTF-8 text to the ANSI code page 1252.
std::string Ansi(const char* utf8);
