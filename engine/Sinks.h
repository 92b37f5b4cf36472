// What an engine operation reports through: a progress gauge and messages; windows draw them.
#pragma once

#include <string>

// Receives the maximum and position values of a progress gauge.
class TProgressSink {
  public:
    virtual ~TProgressSink() = default;
    virtual void setMax(int max) = 0;
    virtual void setPosition(int position) = 0;
};

// Takes the messages an engine operation raises; the window shows them as message boxes.
class TMessageSink {
  public:
    virtual ~TMessageSink() = default;
    virtual void showMessage(const std::string& text) = 0;
};
