#include "CControlBarInfo.h"

CControlBarInfo::CControlBarInfo()
    : m_nBarID(0), m_bVisible(FALSE), m_bFloating(FALSE), m_bHorz(FALSE), m_bDockBar(FALSE), m_bDocking(FALSE),
      m_pointPos(0, 0), m_nMRUWidth(32767), m_uMRUDockID(0), m_rectMRUDockPos(0, 0, 0, 0), m_dwMRUFloatStyle(0),
      m_ptMRUFloatPos(0, 0), m_pBar(NULL)
{
}
