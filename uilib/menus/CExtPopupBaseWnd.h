// The window under every popup of the library (popup menus, the colour menu, the balloon tip):
// it never activates, has no non-client area, paints everything itself, opens with an animation
// composed from the screen captured behind it before it shows, draws soft shadows onto that
// captured background, and plays the popup sound when the animation ends.
#pragma once
#include "afxwin.h"
#include "CExtPopupShadow.h"
#include "ExtPopupEffects.h"

class CExtPopupBaseWnd : public CWnd {
    DECLARE_DYNAMIC(CExtPopupBaseWnd)
public:
    // The opening effects (see ExtPopupEffects.h); any other value plays none.
    enum e_animation_type_t {
        __AT_CONTENT_EXPAND = kPopupEffectExpand,     // -2: hidden items of a menu grow into place
        __AT_CONTENT_DISPLAY = kPopupEffectNoneFramed,   // -1: none, drawn through the frame bitmaps
        __AT_NONE = kPopupEffectNone,
        __AT_RANDOM = kPopupEffectRandom,
        __AT_ROLL = kPopupEffectSlideDiagonal,
        __AT_SLIDE = kPopupEffectSlideVertical,
        __AT_FADE = kPopupEffectFade,
        __AT_ROLL_AND_STRETCH = kPopupEffectUnfold,
        __AT_SLIDE_AND_STRETCH = kPopupEffectUnfoldVertical,
        __AT_NOISE = kPopupEffectNoise,
        __AT_BOXES = kPopupEffectBlinds,
        __AT_CIRCLES = kPopupEffectCircles,
        __AT_HOLES = kPopupEffectShrinkingCircles,
    };
    enum : UINT_PTR {
        ID_TIMER_ANIMATION = 666,     // one animation tick
        ID_TIMER_DELAY_SHOW = 669,    // show without activation (the tip's delay)
    };
    enum : UINT { ID_PERIOD_ANIMATION = 30 };
    enum : BYTE {
        POPUP_FLAG_EXCLUDE_AREA = 0x02,   // the popup joins its owner's exclude area
    };

    // Paints the owner's part where the popup joins it: (cookie, DC, popup window, the joint in
    // the popup's client coordinates); true when painted.
    typedef bool (*pCbPaintCombinedContent)(LPVOID pCookie, CDC& dc, const CWnd& wndPopup, const CRect& rcExclude);

    CExtPopupBaseWnd();
    ~CExtPopupBaseWnd() override;

    // Effect given to each new popup and restored after each animation (the application sets
    // it from its profile).
    static int g_nDefaultAnimation;
    // Whether popups draw shadows.
    static bool g_bShadows;

    // Destroys only a window that exists (true otherwise).
    BOOL DestroyWindow() override;

    // ---- operations a popup may replace ----
    // The owner-paint cookie while owner painting is on, else NULL.
    virtual LPVOID GetCbPaintCombinedCookie() const;
    // True only for a popup menu whose owner-paint callback is its own owner-item painter.
    virtual bool IsOwnerItemPainter() const;
    virtual bool IsTrackedWithoutSite() const;
    // Chooses the effect for the coming animation (AdjustAnimationEffect first, unknown codes
    // become none, random picks one, a screen of 8 bits or fewer plays none).
    virtual void InitAnimation();
    // InitAnimation, then the ticks (timer 666 every 30 ms) unless there is nothing to play.
    virtual void StartAnimation();
    virtual void AdjustAnimationEffect(int& nEffect);
    virtual void ReleaseAnimationBitmaps();
    virtual bool IsShadowWanted() const;
    // The painter's shadow size while shadows are wanted, else 0.
    virtual int GetShadowSize() const;
    // One frame of the opening: the base paints the final look (PaintPopup with bFinal).
    // Animated popups call RenderAnimationFrame here.
    virtual void PaintAnimationFrame(CDC& dc);
    // Every popup draws itself here; bFinal false while composing the animation's image.
    virtual void PaintPopup(CDC& dc, bool bFinal);
    virtual void GetAnimationRect(CRect& rc) const;
    virtual bool IsHelpCursorForced() const;
    // The items of a menu for the expand effect (-2), top to bottom, in client coordinates of
    // the finished popup: each row range and whether it grows in. The base has none.
    struct ExpandBand {
        int nTop;
        int nHeight;
        bool bGrows;
    };
    virtual void GetExpandBands(CArray<ExpandBand, const ExpandBand&>& arrBands) const;

    // ---- state ----
    int GetAnimationEffect() const { return m_eAnimationType; }
    void SetAnimationEffect(int nEffect) { m_eAnimationType = nEffect; }
    int GetSoundCode() const { return m_ePlaySoundOnAnimationFinished; }
    void SetSoundCode(int nSoundCode) { m_ePlaySoundOnAnimationFinished = nSoundCode; }
    bool IsAnimationFinished() const { return (m_nAnimationState & ANIMATION_FINISHED) != 0; }
    int GetAnimationPercent() const { return m_nAnimPercent; }
    bool IsExcludeAreaUsed() const { return (m_nPopupFlags & POPUP_FLAG_EXCLUDE_AREA) != 0; }
    // The screen behind the window, captured as it was being shown; NULL before.
    HBITMAP GetCapturedBackground() const { return (HBITMAP)m_bmpCaptured.GetSafeHandle(); }

    // The owner area the popup joins (screen coordinates) and the tip's anchor point.
    CRect m_rcExcludeArea;
    CPoint m_ptTrack;
    BYTE m_nPopupFlags;
    // The owner-paint callback and its cookie (a pointer: the bar or button that paints).
    LPVOID m_pCbPaintCombinedCookie;
    pCbPaintCombinedContent m_pCbPaintCombinedContent;
    bool m_bPaintCombinedEnabled;

protected:
    enum : BYTE { ANIMATION_FINISHED = 0x01 };

    // The effect renderer: composes the frame for the current percent from the captured screen
    // and the popup's image (PaintPopup with bFinal false over that screen) and copies it to dc.
    void RenderAnimationFrame(CDC& dc);
    // Captures the screen under rcScreen as the background of the coming animation and paints.
    void CaptureBackground(const CRect& rcScreen);
    // The same for a popup already shown that moves or changes size: the earlier capture is
    // kept where the popup was (the screen shows the popup itself there).
    void RecaptureBackground(const CRect& rcScreen);
    // One tick of the animation (timer 666).
    void OnAnimationTick();
    // Paints the final look into dc: over the captured background when there is one (so shadows
    // darken the real screen), else straight.
    void PaintFinal(CDC& dc);

    int m_eAnimationType;
    int m_ePlaySoundOnAnimationFinished;
    // The pixels of the three animation bitmaps (NULL while they do not exist).
    DWORD* m_pBitsBackground;
    DWORD* m_pBitsImage;
    DWORD* m_pBitsFrame;
    int m_nAnimPercent;
    int m_nAnimPercentOld;
    BYTE m_nAnimationState;
    CExtPopupShadow m_ShadowCMBA;   // the owner (exclude) area's shadow
    CExtPopupShadow m_ShadowMain;   // the popup's own shadow
    CBitmap m_bmpBackground, m_bmpImage, m_bmpFrame;

    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg void OnNcPaint();
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    afx_msg void OnCancelMode();
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    DECLARE_MESSAGE_MAP()

protected:
    void PostNcDestroy() override;

private:
    bool CreateAnimationBitmaps(CDC& dc, const CSize& size);
    void ComposeFrame(const CSize& size, HDC hdcFrame, HDC hdcImage);

    // The screen behind the window, taken as the window was shown; kept while it is shown.
    CBitmap m_bmpCaptured;
    CRect m_rcCaptured;
    // GetTickCount of the last animation tick (one clock for all popups).
    static DWORD g_nLastAnimTime;
};
