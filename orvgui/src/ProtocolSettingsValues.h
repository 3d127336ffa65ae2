// The protocol-specific values of an item as its settings dialogs edit them (HTTP and HTTPS,
// SMTP, POP3, FTP; Ping and Port have none): run the dialog of a type with these values, and
// write the type's protocol record. The item properties page holds them as its own members, the
// new-item wizard starts from the defaults.
#pragma once

#include <afxwin.h>

class CItemPropertiesDlg;
class MonitorItemSettings;
class MonitorItemWrapper;

class ProtocolSettingsValues {
public:
    ProtocolSettingsValues();

    // Opens the settings dialog of the type with these values; on OK takes its values back and
    // answers true. False after Cancel and for a type without a dialog. The HTTP dialog's
    // Snapshot downloads the page of the wrapper's item as stored.
    bool editSettings(int type, CItemPropertiesDlg* owner, MonitorItemWrapper* wrapper);

    // Writes the type's protocol record of the item (only that one; nothing for Ping and Port).
    // The SMTP record's authentication flag is written only with withSmtpAuth.
    void writeProtocol(MonitorItemSettings& item, int type, bool withSmtpAuth) const;

    // HTTP and HTTPS
    CString searchText;
    int caseSensitive, saveSuccessful, saveFailed;
    // the account of FTP, POP3 and SMTP
    CString user, password;
    // FTP
    CString downloadLocal, downloadRemote, uploadLocal, uploadRemote;
    // POP3
    int headerOnly;
    CString bodySearch, headerSearch;
    // SMTP
    int smtpAuth;
    CString body, from, subject, to;
};
