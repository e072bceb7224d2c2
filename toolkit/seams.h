// The three seams tests may script: input, requesters and the clock.
// Programs never replace them; the defaults call the platform.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tk {

class InputSource {
  public:
    virtual ~InputSource() = default;
    // Like GetAsyncKeyState: nonzero when the key is down now or was pressed
    // since the previous query of the same key.
    virtual short asyncKeyState(int virtualKey) = 0;
    virtual POINT cursorPos() = 0; // screen coordinates
    // Like GetLastInputInfo: a value that changes whenever a key, button or
    // the mouse did anything. A polling loop that saw every key up may skip
    // its sampling while this stays the same.
    virtual uint32_t lastInputTime() = 0;
};

struct FontChoice {
    std::string name;
    int size = 0;
    uint32_t style = 0; // PB_Font_* bits
    uint32_t colour = 0;
};

class Requesters {
  public:
    virtual ~Requesters() = default;
    // flags: PB_MessageRequester_* plus MB_ICON* bits; returns IDOK, IDYES ...
    virtual int message(std::string_view title, std::string_view text, uint32_t flags) = 0;
    // pattern: "Label|*.ext;*.ext2|Label 2|*.x"; an empty result is a cancel.
    virtual std::string openFile(std::string_view title, std::string_view defaultFile,
                                 std::string_view pattern, int patternPosition) = 0;
    virtual std::string saveFile(std::string_view title, std::string_view defaultFile,
                                 std::string_view pattern, int patternPosition) = 0;
    virtual std::string input(std::string_view title, std::string_view message,
                              std::string_view defaultText) = 0;
    // Returns -1 when cancelled.
    virtual int32_t colour(int32_t initial) = 0;
    virtual std::optional<FontChoice> font(std::string_view name, int size, uint32_t style) = 0;
};

class Clock {
  public:
    virtual ~Clock() = default;
    virtual uint32_t now() = 0; // milliseconds, wrapping like timeGetTime
    virtual void sleep(uint32_t ms) = 0;
};

// nullptr restores the platform default. The toolkit does not own them.
void setInputSource(InputSource* source);
void setRequesters(Requesters* requesters);
void setClock(Clock* clock);
InputSource& input();
Requesters& requesters();
Clock& clock();

// Work a program must do every so often (a recovery copy of unsaved
// work) also while the thread waits in a requester, a pop-up menu or an
// editor window's own loop: `tick` runs about every `everyMs` while a
// ModalWait lives. An empty tick turns it off.
void setModalTick(std::function<void()> tick, uint32_t everyMs = 1000);
class ModalWait {
  public:
    ModalWait();
    ~ModalWait();
    ModalWait(const ModalWait&) = delete;
    ModalWait& operator=(const ModalWait&) = delete;

  private:
    bool active_ = false;
    UINT_PTR timer_ = 0;
};

// PureBasic's commands on top of the seams.
int MessageRequester(std::string_view title, std::string_view text, uint32_t flags = 0);
std::string OpenFileRequester(std::string_view title, std::string_view defaultFile,
                              std::string_view pattern, int patternPosition = 0);
std::string SaveFileRequester(std::string_view title, std::string_view defaultFile,
                              std::string_view pattern, int patternPosition = 0);
std::string InputRequester(std::string_view title, std::string_view message,
                           std::string_view defaultText);
int32_t ColorRequester(int32_t colour = 0);
std::optional<FontChoice> FontRequester(std::string_view name, int size, uint32_t style = 0);
uint32_t ElapsedMilliseconds();
void Delay(uint32_t ms);

} // namespace tk
