// What an alarm does outside the program: open a file, URL or command, and play or stop a sound.
// The alarm notifier calls it on the item's worker thread. SystemAlarmActions does it through the
// shell and the sound API; tests put a recorder in its place.
#pragma once

#include <string>

class AlarmActions {
public:
    virtual ~AlarmActions() {}
    // Opens the text (a file, URL or command line) with the shell verb "open".
    virtual void open(const std::string& target) = 0;
    // Plays the sound file: looping and asynchronously, or once and to its end.
    virtual void playSound(const std::string& file, bool loop) = 0;
    // Stops a sound that is playing.
    virtual void stopSound() = 0;
};
