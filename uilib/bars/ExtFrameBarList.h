// The frame's list of bars as a range: `for (CControlBar* pBar : ExtFrameBarList(pFrame))`.
// Like the plain walk over m_listControlBars, the next position is taken before the loop's body
// runs, so the body may take the bar it is given out of the list.
#pragma once
#include "afxwin.h"
#include <afxdocking.h>

class ExtFrameBarList {
public:
    explicit ExtFrameBarList(CFrameWnd* pFrame) : m_pList(&pFrame->m_listControlBars) {}

    class Iterator {
    public:
        Iterator(CPtrList* pList, POSITION pos) : m_pList(pList), m_posNext(pos) { Advance(); }
        CControlBar* operator*() const { return m_pBar; }
        Iterator& operator++() {
            Advance();
            return *this;
        }
        bool operator!=(const Iterator& other) const { return m_bEnd != other.m_bEnd; }

    private:
        void Advance() {
            m_bEnd = m_posNext == NULL;
            m_pBar = m_bEnd ? NULL : static_cast<CControlBar*>(m_pList->GetNext(m_posNext));
        }
        CPtrList* m_pList;
        POSITION m_posNext;
        CControlBar* m_pBar = NULL;
        bool m_bEnd = false;
    };

    Iterator begin() const { return Iterator(m_pList, m_pList->GetHeadPosition()); }
    Iterator end() const { return Iterator(m_pList, NULL); }

private:
    CPtrList* m_pList;
};
