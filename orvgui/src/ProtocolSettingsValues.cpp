#include "ProtocolSettingsValues.h"

#include "CFtpSettingsDlg.h"
#include "CPageSettingsDlg.h"
#include "CPop3SettingsDlg.h"
#include "CSmtpSettingsDlg.h"
#include "ItemSettingsRules.h"
#include "Monitor/MonitorItemSettings.h"

ProtocolSettingsValues::ProtocolSettingsValues()
    : caseSensitive(0), saveSuccessful(0), saveFailed(1), headerOnly(0), smtpAuth(0)
{
}

bool ProtocolSettingsValues::editSettings(int type, CItemPropertiesDlg* owner, MonitorItemWrapper* wrapper)
{
    switch (type) {
    case ItemSettingsRules::TypeHttp:
    case ItemSettingsRules::TypeHttps: {
        CPageSettingsDlg dialog;
        dialog.searchText = searchText;
        dialog.caseSensitive = caseSensitive;
        dialog.saveSuccessful = saveSuccessful;
        dialog.saveFailed = saveFailed;
        dialog.setOwner(owner);
        dialog.setWrapper(wrapper);
        if (dialog.DoModal() != IDOK)
            return false;
        searchText = dialog.searchText;
        caseSensitive = dialog.caseSensitive;
        saveSuccessful = dialog.saveSuccessful;
        saveFailed = dialog.saveFailed;
        return true;
    }
    case ItemSettingsRules::TypeSmtp: {
        // the authentication flag has no control: it stays as it is
        CSmtpSettingsDlg dialog;
        dialog.body = body;
        dialog.subject = subject;
        dialog.from = from;
        dialog.to = to;
        dialog.user = user;
        dialog.password = password;
        if (dialog.DoModal() != IDOK)
            return false;
        body = dialog.body;
        subject = dialog.subject;
        from = dialog.from;
        to = dialog.to;
        user = dialog.user;
        password = dialog.password;
        return true;
    }
    case ItemSettingsRules::TypePop3: {
        CPop3SettingsDlg dialog;
        dialog.user = user;
        dialog.password = password;
        dialog.headerOnly = headerOnly;
        dialog.bodySearch = bodySearch;
        dialog.headerSearch = headerSearch;
        if (dialog.DoModal() != IDOK)
            return false;
        user = dialog.user;
        password = dialog.password;
        headerOnly = dialog.headerOnly;
        bodySearch = dialog.bodySearch;
        headerSearch = dialog.headerSearch;
        return true;
    }
    case ItemSettingsRules::TypeFtp: {
        CFtpSettingsDlg dialog;
        dialog.user = user;
        dialog.password = password;
        dialog.downloadLocal = downloadLocal;
        dialog.downloadRemote = downloadRemote;
        dialog.uploadLocal = uploadLocal;
        dialog.uploadRemote = uploadRemote;
        if (dialog.DoModal() != IDOK)
            return false;
        user = dialog.user;
        password = dialog.password;
        downloadLocal = dialog.downloadLocal;
        downloadRemote = dialog.downloadRemote;
        uploadLocal = dialog.uploadLocal;
        uploadRemote = dialog.uploadRemote;
        return true;
    }
    default:
        return false;
    }
}

void ProtocolSettingsValues::writeProtocol(MonitorItemSettings& item, int type, bool withSmtpAuth) const
{
    switch (type) {
    case ItemSettingsRules::TypeHttp:
    case ItemSettingsRules::TypeHttps: {
        HttpSettings& http = item.getHttp();
        http.caseSensitive = caseSensitive != 0;
        http.saveFailedPages = saveFailed != 0;
        http.saveSuccessfulPages = saveSuccessful != 0;
        http.searchText = (LPCTSTR)searchText;
        break;
    }
    case ItemSettingsRules::TypeSmtp: {
        SmtpSettings& smtp = item.getSmtp();
        smtp.body = (LPCTSTR)body;
        if (withSmtpAuth)
            smtp.reservedFlag = smtpAuth != 0;
        smtp.from = (LPCTSTR)from;
        smtp.authPassword = (LPCTSTR)password;
        smtp.subject = (LPCTSTR)subject;
        smtp.to = (LPCTSTR)to;
        smtp.authUser = (LPCTSTR)user;
        break;
    }
    case ItemSettingsRules::TypePop3: {
        Pop3Settings& pop3 = item.getPop3();
        pop3.bodySearchText = (LPCTSTR)bodySearch;
        pop3.headerSearchText = (LPCTSTR)headerSearch;
        pop3.password = (LPCTSTR)password;
        pop3.headerOnly = headerOnly != 0;
        pop3.userName = (LPCTSTR)user;
        break;
    }
    case ItemSettingsRules::TypeFtp: {
        FtpSettings& ftp = item.getFtp();
        ftp.downloadLocalFile = (LPCTSTR)downloadLocal;
        ftp.downloadRemoteFile = (LPCTSTR)downloadRemote;
        ftp.password = (LPCTSTR)password;
        ftp.uploadLocalFile = (LPCTSTR)uploadLocal;
        ftp.uploadRemoteFile = (LPCTSTR)uploadRemote;
        ftp.userName = (LPCTSTR)user;
        break;
    }
    default:
        break;
    }
}
