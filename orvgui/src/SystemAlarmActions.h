// The alarm actions as the program does them: ShellExecute "open" and PlaySound. The shell is
// used from worker threads, so COM is initialised on each calling thread once, before its first
// open (it stays initialised until the thread ends).
#pragma once

#include "AlarmActions.h"

class SystemAlarmActions : public AlarmActions {
public:
    // The process-wide instance.
    static SystemAlarmActions* instance();

    void open(const std::string& target) override;
    void playSound(const std::string& file, bool loop) override;
    void stopSound() override;

    // Initialises COM on the calling thread unless this was done before on it. True once COM is
    // usable on the thread (also when the thread had initialised it in another model).
    static bool prepareThread();
};
