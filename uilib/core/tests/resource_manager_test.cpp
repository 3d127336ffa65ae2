// The resource manager against the two-language fixture (English US and German).
#include <orv/gtest.h>
#include <afxwin.h>
#include "CExtResourceManager.h"
#include "core_test_resources.h"

namespace {

const WORD kEnglish = 0x0409;
const WORD kGerman = 0x0407;
const WORD kFrench = 0x040C;

CString MenuItemText(HMENU hMenu, int pos)
{
    char buf[256] = "";
    ::GetMenuStringA(hMenu, pos, buf, sizeof(buf), MF_BYPOSITION);
    return buf;
}

COLORREF FirstPixel(HBITMAP hBitmap)
{
    HDC hdc = ::CreateCompatibleDC(NULL);
    HGDIOBJ old = ::SelectObject(hdc, hBitmap);
    const COLORREF c = ::GetPixel(hdc, 0, 0);
    ::SelectObject(hdc, old);
    ::DeleteDC(hdc);
    return c;
}

}  // namespace

TEST(ResourceManager, StringsByLanguageAndPresence)
{
    struct Case {
        WORD desired;
        UINT id;
        bool found;
        const char* text;
        WORD lang;  // language reported
    } cases[] = {
        {kGerman, IDS_BOTH, true, "Hallo", kGerman},
        {kEnglish, IDS_BOTH, true, "Hello", kEnglish},
        {kFrench, IDS_BOTH, true, "Hello", kEnglish},
        // the German block has the entry empty: the neutral language's text is answered
        {kGerman, IDS_ENGLISH_ONLY, true, "Only English", kEnglish},
        {kGerman, IDS_ENGLISH_BLOCK, true, "English block", kEnglish},
        {kGerman, IDS_GERMAN_ONLY, true, "Nur Deutsch", kGerman},
        {kEnglish, IDS_GERMAN_ONLY, false, "", kEnglish},
        // empty in every language: found, empty
        {kGerman, IDS_EMPTY_BOTH, true, "", kGerman},
        {kEnglish, IDS_EMPTY_BOTH, true, "", kEnglish},
        {kGerman, IDS_MISSING, false, "", kEnglish},
    };
    CExtResourceManager rm(true, kEnglish);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "lang " << std::hex << c.desired << " id " << std::dec << c.id);
        rm.SetLangIdDesired(c.desired);
        CString text = "stale";
        WORD lang = 0;
        HINSTANCE hModule = (HINSTANCE)1;
        EXPECT_EQ(c.found, rm.LoadStringDefault(text, c.id, &lang, &hModule));
        EXPECT_STREQ(c.text, text);
        EXPECT_EQ(c.lang, lang);
        EXPECT_EQ(c.found ? AfxGetResourceHandle() : (HINSTANCE)NULL, hModule);
    }
}

TEST(ResourceManager, WithoutCustomLanguagesTheFrameworkSearchAnswers)
{
    CExtResourceManager rm(false, kGerman);
    CString text;
    WORD lang = 0;
    ASSERT_TRUE(rm.LoadStringDefault(text, IDS_ENGLISH_ONLY, &lang));
    EXPECT_STREQ("Only English", text);
    EXPECT_EQ(kEnglish, lang);  // the neutral language: nothing is reported
    EXPECT_FALSE(rm.LoadStringDefault(text, IDS_MISSING));
    HRSRC hRsrc = NULL;
    EXPECT_NE((HINSTANCE)NULL, rm.FindResourceDefault(RT_MENU, MAKEINTRESOURCEA(IDR_MENU_ENGLISH), &lang, &hRsrc));
    EXPECT_NE((HRSRC)NULL, hRsrc);
    CMenu menu;
    ASSERT_TRUE(rm.LoadMenuDefault(menu, IDR_MENU_ENGLISH));
    EXPECT_STREQ("English only", MenuItemText(menu, 0));
}

TEST(ResourceManager, FindExactAndWithFallback)
{
    CExtResourceManager rm(true, kGerman);
    WORD lang = 0;
    HRSRC hRsrc = (HRSRC)1;
    LPCTSTR menuEn = MAKEINTRESOURCEA(IDR_MENU_ENGLISH);
    EXPECT_EQ((HINSTANCE)NULL, rm.FindResourceExact(RT_MENU, menuEn, kGerman, &lang, &hRsrc));
    EXPECT_EQ(kEnglish, lang);
    EXPECT_EQ((HRSRC)NULL, hRsrc);
    EXPECT_EQ(AfxGetResourceHandle(), rm.FindResourceDefault(RT_MENU, menuEn, &lang, &hRsrc));
    EXPECT_EQ(kEnglish, lang);
    EXPECT_NE((HRSRC)NULL, hRsrc);
    EXPECT_EQ(AfxGetResourceHandle(), rm.FindResourceDefault(RT_MENU, MAKEINTRESOURCEA(IDR_MENU_BOTH), &lang));
    EXPECT_EQ(kGerman, lang);
    // a fallback equal to the desired language is not asked again: still not found
    EXPECT_EQ((HINSTANCE)NULL, rm.FindResourceWithFallback(RT_MENU, menuEn, kFrench, kFrench, &lang));
    EXPECT_EQ((HINSTANCE)NULL, rm.FindResourceDefault(RT_TOOLBAR, MAKEINTRESOURCEA(999)));
    EXPECT_NE((HINSTANCE)NULL, rm.FindResourceDefault(RT_TOOLBAR, MAKEINTRESOURCEA(IDR_TOOLBAR)));
}

TEST(ResourceManager, MenusAcceleratorsAndBitmapsByLanguage)
{
    CExtResourceManager rm(true, kGerman);
    CMenu menu;
    WORD lang = 0;
    ASSERT_TRUE(rm.LoadMenuDefault(menu, IDR_MENU_BOTH, &lang));
    EXPECT_EQ(kGerman, lang);
    EXPECT_STREQ("&Datei", MenuItemText(menu, 0));
    // a menu already attached is destroyed first
    HMENU hOld = menu.GetSafeHmenu();
    ASSERT_TRUE(rm.LoadMenuDefault(menu, IDR_MENU_ENGLISH, &lang));
    EXPECT_EQ(kEnglish, lang);
    EXPECT_FALSE(::IsMenu(hOld));
    EXPECT_FALSE(rm.LoadMenuDefault(menu, 777));
    EXPECT_EQ((HMENU)NULL, menu.GetSafeHmenu());

    HACCEL hAccel = rm.LoadAcceleratorsDefault(IDR_ACCEL, &lang);
    ASSERT_NE((HACCEL)NULL, hAccel);
    EXPECT_EQ(kEnglish, lang);
    ACCEL accels[8] = {};
    ASSERT_EQ(3, ::CopyAcceleratorTableA(hAccel, accels, 8));
    EXPECT_EQ('O', accels[0].key);
    EXPECT_EQ(ID_CMD_OPEN, accels[0].cmd);
    EXPECT_EQ(FVIRTKEY | FCONTROL, accels[0].fVirt & ~0x80);
    EXPECT_EQ(VK_F5, accels[2].key);
    EXPECT_EQ(ID_CMD_RECENT, accels[2].cmd);
    ::DestroyAcceleratorTable(hAccel);

    HBITMAP hGerman = rm.LoadBitmapDefault(IDB_FLAG, &lang);
    ASSERT_NE((HBITMAP)NULL, hGerman);
    EXPECT_EQ(kGerman, lang);
    EXPECT_EQ(RGB(0, 128, 0), FirstPixel(hGerman));
    ::DeleteObject(hGerman);
    rm.SetLangIdDesired(kFrench);
    HBITMAP hEnglish = rm.LoadBitmapDefault(IDB_FLAG, &lang);
    ASSERT_NE((HBITMAP)NULL, hEnglish);
    EXPECT_EQ(kEnglish, lang);
    EXPECT_EQ(RGB(255, 0, 0), FirstPixel(hEnglish));
    ::DeleteObject(hEnglish);
}

TEST(ResourceManager, MemoryBuffer)
{
    CExtResourceManager::ResourceMemoryBuffer buffer;
    EXPECT_FALSE(buffer.Alloc(0));
    ASSERT_TRUE(buffer.Alloc(8, true));
    EXPECT_EQ(8u, buffer.GetSize());
    EXPECT_EQ(0, buffer.GetBuffer()[7]);
    // exactly the language asked for
    EXPECT_FALSE(buffer.LoadFromModule(AfxGetResourceHandle(), RT_MENU, MAKEINTRESOURCEA(IDR_MENU_ENGLISH), kGerman));
    EXPECT_EQ(NULL, buffer.GetBuffer());
    EXPECT_TRUE(buffer.LoadFromModule(AfxGetResourceHandle(), RT_TOOLBAR, MAKEINTRESOURCEA(IDR_TOOLBAR), kEnglish));
    ASSERT_EQ(8u + 2 * 3, buffer.GetSize());
    const WORD* w = (const WORD*)buffer.GetBuffer();
    EXPECT_EQ(16, w[1]);
    EXPECT_EQ(15, w[2]);
    EXPECT_EQ(3, w[3]);
}

TEST(ResourceManager, LocaleInfoAsksTheDesiredLanguageOnlyWithCustomLanguages)
{
    char buf[64] = "";
    CExtResourceManager custom(true, kGerman);
    ASSERT_GT(custom.GetLocaleInfo(LOCALE_SENGLANGUAGE, buf, sizeof(buf)), 0);
    EXPECT_STREQ("German", buf);
    CExtResourceManager plain(false, kGerman);
    ASSERT_GT(plain.GetLocaleInfo(LOCALE_SENGLANGUAGE, buf, sizeof(buf)), 0);
    EXPECT_STRNE("German", buf);
}

TEST(ResourceManager, HolderInstallsAndKeepsTheSameManager)
{
    CExtResourceManagerHolder holder;
    CExtResourceManager* pFirst = holder.GetManager();
    ASSERT_NE(nullptr, pFirst);
    EXPECT_FALSE(pFirst->IsCustomLangAllowed());
    EXPECT_EQ(kEnglish, pFirst->GetLangIdDesired());
    CExtResourceManager* pMine = new CExtResourceManager(true, kGerman);
    holder.InstallResourceManager(pMine);
    EXPECT_EQ(pMine, holder.GetManager());
    // installing it again keeps it alive and installed
    holder.InstallResourceManager(pMine);
    ASSERT_EQ(pMine, holder.GetManager());
    EXPECT_EQ(kGerman, holder->GetLangIdDesired());
    CString text;
    EXPECT_TRUE(holder->LoadStringDefault(text, IDS_BOTH));
    EXPECT_STREQ("Hallo", text);
    holder.InstallResourceManager(NULL);
    EXPECT_FALSE(holder->IsCustomLangAllowed());
}
