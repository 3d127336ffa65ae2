// The records, history and lock that both kinds of item hold; the kinds differ only in where
// (and whether) the records are stored and results are recorded.
#pragma once

#include <windows.h>

#include "Monitor/MonitorItemSettings.h"

class MonitorItemRecords : public MonitorItemSettings {
public:
    MonitorItemRecords();
    ~MonitorItemRecords() override;
    MonitorItemRecords(const MonitorItemRecords&) = delete;
    MonitorItemRecords& operator=(const MonitorItemRecords&) = delete;

    ItemGeneralSettings& getGeneral() override { return general_; }
    FtpSettings& getFtp() override { return ftp_; }
    HttpSettings& getHttp() override { return http_; }
    Pop3Settings& getPop3() override { return pop3_; }
    SmtpSettings& getSmtp() override { return smtp_; }
    AlarmTrigger& getAlarmTrigger() override { return alarmTrigger_; }
    CommandAction& getCommandAction() override { return commandAction_; }
    MailAction& getMailAction() override { return mailAction_; }
    SoundAction& getSoundAction() override { return soundAction_; }
    VisualAction& getVisualAction() override { return visualAction_; }
    ItemStatus& getStatus() override { return status_; }

    HistoryIterator historyBegin() override { return history_.begin(); }
    HistoryIterator historyEnd() override { return history_.end(); }

    void lock() override;
    void unlock() override;

protected:
    ItemGeneralSettings general_;
    FtpSettings ftp_;
    HttpSettings http_;
    Pop3Settings pop3_;
    SmtpSettings smtp_;
    AlarmTrigger alarmTrigger_;
    CommandAction commandAction_;
    MailAction mailAction_;
    SoundAction soundAction_;
    VisualAction visualAction_;
    ItemStatus status_;
    History history_;

private:
    CRITICAL_SECTION lock_;
};
