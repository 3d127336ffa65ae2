// The colour control: a child window showing one of sixteen colour pickers (its modes), where
// the user picks a colour with the left mouse button. Every change is sent to the parent as the
// registered message "CExtColorCtrl::g_nMsgColorChanged" (wParam the control's window, lParam a
// pointer to the reference, current and previous colours).
#pragma once
#include "CExtMouseCaptureSink.h"
#include "ExtColorCellModels.h"
#include "ExtColorCubeModels.h"
#include "ExtColorPlaneModels.h"

class CExtColorCtrl : public CWnd, public CExtMouseCaptureSink {
    DECLARE_DYNAMIC(CExtColorCtrl)

public:
    typedef ExtColor::any_picker_data_t any_picker_data_t;
    typedef ExtColor::cell_t cell_t;
    typedef ExtColor::cell_based_data_t cell_based_data_t;
    typedef ExtColor::grayscale_mixer_data_t grayscale_mixer_data_t;
    typedef ExtColor::rgb_mixer_data_t rgb_mixer_data_t;
    typedef ExtColor::cmy_mixer_data_t cmy_mixer_data_t;
    typedef ExtColor::diff_data_t diff_data_t;
    typedef ExtColor::rgb_cube_data_t rgb_cube_data_t;
    typedef ExtColor::cmy_cube_data_t cmy_cube_data_t;
    typedef ExtColor::hsl_panel_data_t hsl_panel_data_t;
    typedef ExtColor::hsl_basic_hue_data_t hsl_basic_hue_data_t;
    typedef ExtColor::hsl_roller_data_t hsl_roller_data_t;
    typedef ExtColor::xyz_plain_data_t xyz_plain_data_t;

    enum e_mode_t {
        MODE_HEXAGON = 0,
        MODE_HSL_PANEL = 1,
        MODE_HSL_BASIC_HUE = 2,
        MODE_HSL_ROLLER = 3,
        MODE_RGB_CUBE = 4,
        MODE_RGB_MIXER = 5,
        MODE_GRAYSCALE_MIXER = 6,
        MODE_CMY_CUBE = 7,
        MODE_CMY_MIXER = 8,
        MODE_XYZ_R = 9,
        MODE_XYZ_G = 10,
        MODE_XYZ_B = 11,
        MODE_XYZ_C = 12,
        MODE_XYZ_M = 13,
        MODE_XYZ_Y = 14,
        MODE_DIFF = 15,
        MODE_COUNT = 16,
    };

    // The three colours in the order the notification hands them over.
    struct selection_colors_t {
        COLORREF m_clrReference;
        COLORREF m_clrCurrent;
        COLORREF m_clrPrevious;
    };

    static const UINT g_nMsgColorChanged;

    explicit CExtColorCtrl(int nMode = MODE_HEXAGON);
    ~CExtColorCtrl() override;

    // Makes clr the current colour (notifying the parent when it changed and bNotify), gives it
    // to the current model and repaints. The previous colour stays.
    void SetColor(COLORREF clr, bool bNotify = true);
    // Drops every model's cached pictures and drags.
    void ResetModels();
    // Lays the current model out for the client area (resetting the models first unless the
    // cell colours are to be kept).
    void RecalcLayout(bool bKeepColors);
    // The name of a mode (" basic colors", ...); empty for 15 and anything outside 0 to 14.
    static CString GetModeName(int nMode);

    any_picker_data_t& Model(int nMode) { return *m_pModels[nMode]; }
    any_picker_data_t& CurrentModel() { return *m_pModels[ValidMode()]; }
    bool IsTracking() const { return m_bTracking; }

    int m_nMode;
    bool m_bTracking;
    selection_colors_t m_colors;

protected:
    virtual void OnColorChanged();
    void PreSubclassWindow() override;

    void SetTracking(bool bTracking);
    void MoveStep(UINT nFlags, CPoint point);
    // Takes the model's colour when it differs: the notification and a repaint.
    void TakeModelColor();
    int ValidMode() const { return m_nMode >= 0 && m_nMode < MODE_COUNT ? m_nMode : MODE_HEXAGON; }

    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnCancelMode();
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg BOOL OnQueryNewPalette();
    afx_msg void OnPaletteChanged(CWnd* pFocusWnd);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMButtonDblClk(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    cell_based_data_t m_modelHexagon;
    hsl_panel_data_t m_modelHslPanel;
    hsl_basic_hue_data_t m_modelHslBasicHue;
    hsl_roller_data_t m_modelHslRoller;
    rgb_cube_data_t m_modelRgbCube;
    rgb_mixer_data_t m_modelRgbMixer;
    grayscale_mixer_data_t m_modelGrayscaleMixer;
    cmy_cube_data_t m_modelCmyCube;
    cmy_mixer_data_t m_modelCmyMixer;
    xyz_plain_data_t m_modelXyz[6];
    diff_data_t m_modelDiff;
    any_picker_data_t* m_pModels[MODE_COUNT];
};
