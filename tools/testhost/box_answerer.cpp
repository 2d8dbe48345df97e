#include "box_answerer.h"

#include "event_line.h"
#include "host_state.h"
#include "results_log.h"
#include "text_encoding.h"

namespace {

BoxAnswerer* g_answerer = nullptr;

constexpr UINT kTickMilliseconds = 10;

const char* AnswerName(BoxAnswer answer) {
    switch (answer) {
        case BoxAnswer::Ok:
            return "ok";
        case BoxAnswer::Cancel:
            return "cancel";
        case BoxAnswer::Escape:
            return "escape";
        case BoxAnswer::Close:
            return "close";
    }
    return "?";
}

// A click on the button, or where the box has none with that id, the command
// the button would have sent.
void PressButton(HWND box, int id) {
    if (const HWND button = ::GetDlgItem(box, id)) {
        ::PostMessageW(button, BM_CLICK, 0, 0);
    } else {
        ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
    }
}

// The Escape key goes to the control with the focus, where the box's dialog
// handling picks it up.
void PressEscape(HWND box) {
    HWND target = ::GetFocus();
    if (target == nullptr || (target != box && !::IsChild(box, target))) {
        target = box;
    }
    ::PostMessageW(target, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
}

void Perform(HWND box, BoxAnswer answer) {
    switch (answer) {
        case BoxAnswer::Ok:
            PressButton(box, IDOK);
            break;
        case BoxAnswer::Cancel:
            PressButton(box, IDCANCEL);
            break;
        case BoxAnswer::Escape:
            PressEscape(box);
            break;
        case BoxAnswer::Close:
            // What the close button of the title bar sends.
            ::PostMessageW(box, WM_SYSCOMMAND, SC_CLOSE, 0);
            break;
    }
}

void Transcribe(const BoxFacts& facts, const char* answer) {
    std::string head = "   [message box \"" + Utf8FromAnsi(facts.caption) +
                       "\" | icon: " + facts.icon + " | buttons: " + facts.buttons +
                       " | owner: " + facts.owner + " window]";
    Log().Say(head);
    std::string text = Utf8FromAnsi(facts.text);
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find('\n', start);
        Log().Say("   | " + text.substr(start, end - start));
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    Log().Say(std::string("   (answered: ") + answer + ")");
}

}  // namespace

std::optional<BoxAnswer> ParseBoxAnswer(std::string_view word) {
    for (const BoxAnswer answer :
         {BoxAnswer::Ok, BoxAnswer::Cancel, BoxAnswer::Escape, BoxAnswer::Close}) {
        if (word == AnswerName(answer)) {
            return answer;
        }
    }
    return std::nullopt;
}

BoxAnswerer::BoxAnswerer(const HostWindows& windows) : windows_(windows) {}

BoxAnswerer::~BoxAnswerer() {
    if (timer_ != 0) {
        ::KillTimer(nullptr, timer_);
    }
    if (hook_ != nullptr) {
        ::UnhookWindowsHookEx(hook_);
    }
    if (g_answerer == this) {
        g_answerer = nullptr;
    }
}

bool BoxAnswerer::Start() {
    g_answerer = this;
    timer_ = ::SetTimer(nullptr, 0, kTickMilliseconds, OnTimer);
    hook_ = ::SetWindowsHookExW(WH_CBT, OnCbt, nullptr, ::GetCurrentThreadId());
    return timer_ != 0 && hook_ != nullptr;
}

void CALLBACK BoxAnswerer::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (g_answerer != nullptr) {
        g_answerer->Tick();
    }
}

// A destroyed box is forgotten at once: the next box may get the same handle
// before another tick comes.
LRESULT CALLBACK BoxAnswerer::OnCbt(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_DESTROYWND && g_answerer != nullptr &&
        reinterpret_cast<HWND>(wParam) == g_answerer->box_) {
        g_answerer->box_ = nullptr;
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

void BoxAnswerer::Tick() {
    const HWND box = FindVisibleMessageBox(suspended_);
    if (box == nullptr) {
        return;
    }
    if (box != box_) {
        Look(box);
        if (onNextBox_) {
            RunInside(box);
            if (!::IsWindow(box)) {
                return;
            }
        }
    }
    if (!answered_ && ::GetTickCount() - seenAt_ >= holdMilliseconds_) {
        Close(box);
    }
}

// The action's own boxes come and go through Tick again, from their modal
// loops, and are answered first; this box is left alone until it ends.
void BoxAnswerer::RunInside(HWND box) {
    const std::function<void()> action = std::move(onNextBox_);
    onNextBox_ = nullptr;
    const BoxFacts facts = facts_;
    const DWORD seenAt = seenAt_;
    const HWND outerSuspended = suspended_;
    suspended_ = box;
    action();
    suspended_ = outerSuspended;
    box_ = box;
    facts_ = facts;
    seenAt_ = seenAt;
    answered_ = false;
}

void BoxAnswerer::Look(HWND box) {
    box_ = box;
    seenAt_ = ::GetTickCount();
    answered_ = false;
    facts_ = InspectBox(box, windows_);
    ++boxesShown_;
    ++Host().boxesInCallback;
}

void BoxAnswerer::Close(HWND box) {
    answered_ = true;
    const bool expected = !answers_.empty();
    const BoxAnswer answer = expected ? answers_.front() : BoxAnswer::Cancel;
    if (expected) {
        answers_.pop_front();
    }
    const char* const answerName = expected ? AnswerName(answer) : "unexpected";
    Log().Event(EventLine("box")
                    .Add("n", boxesShown_)
                    .Hex("caption", facts_.caption)
                    .Hex("text", facts_.text)
                    .Add("owner", facts_.owner)
                    .Add("main_enabled", facts_.mainEnabled)
                    .Add("popup_enabled",
                         windows_.Popup() != nullptr ? (facts_.popupEnabled ? "1" : "0") : "-")
                    .Add("icon", facts_.icon)
                    .Add("buttons", facts_.buttons)
                    .Add("answer", answerName));
    Transcribe(facts_, answerName);
    Perform(box, answer);
}
