#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <optional>
#include <string_view>

#include "box_inspection.h"
#include "host_windows.h"

// How the scripted user closes a message box.
enum class BoxAnswer { Ok, Cancel, Escape, Close };

std::optional<BoxAnswer> ParseBoxAnswer(std::string_view word);

// Plays the user in front of the screen: a thread timer, which a modal box's
// own message loop dispatches too, looks for a message box of this thread,
// reports what it shows and closes it with the next scripted answer, after
// keeping it up for the hold time. With no answer left it presses Cancel and
// reports the box as unexpected, so a surplus box never hangs a run.
class BoxAnswerer {
  public:
    explicit BoxAnswerer(const HostWindows& windows);
    BoxAnswerer(const BoxAnswerer&) = delete;
    BoxAnswerer& operator=(const BoxAnswerer&) = delete;
    ~BoxAnswerer();

    bool Start();
    void Queue(BoxAnswer answer) { answers_.push_back(answer); }
    void SetHoldMilliseconds(DWORD hold) { holdMilliseconds_ = hold; }
    std::size_t PendingAnswers() const { return answers_.size(); }
    void ClearAnswers() { answers_.clear(); }
    // Runs the action when the next box comes up, before that box is
    // answered: boxes the action shows are answered first, from the queue.
    void OnNextBox(std::function<void()> action) { onNextBox_ = std::move(action); }

  private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    static LRESULT CALLBACK OnCbt(int code, WPARAM wParam, LPARAM lParam);

    void Tick();
    void Look(HWND box);
    void RunInside(HWND box);
    void Close(HWND box);

    const HostWindows& windows_;
    std::deque<BoxAnswer> answers_;
    DWORD holdMilliseconds_ = 0;
    UINT_PTR timer_ = 0;
    HHOOK hook_ = nullptr;
    int boxesShown_ = 0;
    std::function<void()> onNextBox_;
    // A box whose action is running: not answered until the action ends.
    HWND suspended_ = nullptr;

    // The box being looked at: when it was first seen, what it showed, and
    // whether it has been answered.
    HWND box_ = nullptr;
    DWORD seenAt_ = 0;
    bool answered_ = false;
    BoxFacts facts_;
};
