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

namespace {

// Each protocol's values as its settings dialog holds them, one field list used both ways: into
// the dialog before it opens, back out of it on OK.
template <class Dst, class Src>
void CopyHttp(Dst& dst, const Src& src)
{
    dst.searchText = src.searchText;
    dst.caseSensitive = src.caseSensitive;
    dst.saveSuccessful = src.saveSuccessful;
    dst.saveFailed = src.saveFailed;
}

// (the authentication flag has no control: it stays as it is)
template <class Dst, class Src>
void CopySmtp(Dst& dst, const Src& src)
{
    dst.body = src.body;
    dst.subject = src.subject;
    dst.from = src.from;
    dst.to = src.to;
    dst.user = src.user;
    dst.password = src.password;
}

template <class Dst, class Src>
void CopyPop3(Dst& dst, const Src& src)
{
    dst.user = src.user;
    dst.password = src.password;
    dst.headerOnly = src.headerOnly;
    dst.bodySearch = src.bodySearch;
    dst.headerSearch = src.headerSearch;
}

template <class Dst, class Src>
void CopyFtp(Dst& dst, const Src& src)
{
    dst.user = src.user;
    dst.password = src.password;
    dst.downloadLocal = src.downloadLocal;
    dst.downloadRemote = src.downloadRemote;
    dst.uploadLocal = src.uploadLocal;
    dst.uploadRemote = src.uploadRemote;
}

// Opens the dialog with the values; on OK takes its values back.
template <class Dialog, class Values>
bool Edit(Dialog& dialog, Values& values, void (*copyDialog)(Dialog&, const Values&),
          void (*copyValues)(Values&, const Dialog&))
{
    copyDialog(dialog, values);
    if (dialog.DoModal() != IDOK)
        return false;
    copyValues(values, dialog);
    return true;
}

}  // namespace

bool ProtocolSettingsValues::editSettings(int type, CItemPropertiesDlg* owner, MonitorItemWrapper* wrapper)
{
    typedef ProtocolSettingsValues V;
    switch (type) {
    case ItemSettingsRules::TypeHttp:
    case ItemSettingsRules::TypeHttps: {
        CPageSettingsDlg dialog;
        dialog.setOwner(owner);
        dialog.setWrapper(wrapper);
        return Edit(dialog, *this, &CopyHttp<CPageSettingsDlg, V>, &CopyHttp<V, CPageSettingsDlg>);
    }
    case ItemSettingsRules::TypeSmtp: {
        CSmtpSettingsDlg dialog;
        return Edit(dialog, *this, &CopySmtp<CSmtpSettingsDlg, V>, &CopySmtp<V, CSmtpSettingsDlg>);
    }
    case ItemSettingsRules::TypePop3: {
        CPop3SettingsDlg dialog;
        return Edit(dialog, *this, &CopyPop3<CPop3SettingsDlg, V>, &CopyPop3<V, CPop3SettingsDlg>);
    }
    case ItemSettingsRules::TypeFtp: {
        CFtpSettingsDlg dialog;
        return Edit(dialog, *this, &CopyFtp<CFtpSettingsDlg, V>, &CopyFtp<V, CFtpSettingsDlg>);
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
