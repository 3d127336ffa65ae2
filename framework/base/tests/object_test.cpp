// Run-time classes, dynamic creation, and the exception classes with the callback barrier.
#include "orv/gtest.h"
#include "afx.h"
#include <cstring>
#include <stdexcept>

namespace {

class CShape : public CObject {
    DECLARE_DYNAMIC(CShape)
};
IMPLEMENT_DYNAMIC(CShape, CObject)

class CCircle : public CShape {
    DECLARE_DYNCREATE(CCircle)
public:
    CCircle() { ++s_constructed; }
    static int s_constructed;
};
int CCircle::s_constructed = 0;
IMPLEMENT_DYNCREATE(CCircle, CShape)

class CSquare : public CShape {
    DECLARE_DYNCREATE(CSquare)
};
IMPLEMENT_DYNCREATE(CSquare, CShape)

TEST(RuntimeClassTest, KindOfFollowsTheBaseChain) {
    CCircle circle;
    struct Case { const CObject* obj; CRuntimeClass* cls; bool expected; };
    CSquare square;
    const Case cases[] = {
        {&circle, RUNTIME_CLASS(CCircle), true},  {&circle, RUNTIME_CLASS(CShape), true},
        {&circle, RUNTIME_CLASS(CObject), true},  {&circle, RUNTIME_CLASS(CSquare), false},
        {&square, RUNTIME_CLASS(CCircle), false}, {&square, RUNTIME_CLASS(CShape), true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, c.obj->IsKindOf(c.cls) != FALSE)
            << c.obj->GetRuntimeClass()->m_lpszClassName << " kind of " << c.cls->m_lpszClassName;

    CObject* asObject = &circle;
    EXPECT_EQ(&circle, DYNAMIC_DOWNCAST(CShape, asObject));
    EXPECT_TRUE(DYNAMIC_DOWNCAST(CSquare, asObject) == NULL);
    EXPECT_STREQ("CCircle", circle.GetRuntimeClass()->m_lpszClassName);
    EXPECT_EQ((int)sizeof(CCircle), RUNTIME_CLASS(CCircle)->m_nObjectSize);
}

TEST(RuntimeClassTest, CreationByClassAndByName) {
    int before = CCircle::s_constructed;
    CObject* byClass = RUNTIME_CLASS(CCircle)->CreateObject();
    ASSERT_TRUE(byClass != NULL);
    EXPECT_TRUE(byClass->IsKindOf(RUNTIME_CLASS(CCircle)));
    delete byClass;

    CObject* byName = CRuntimeClass::CreateObject("CSquare");
    ASSERT_TRUE(byName != NULL);
    EXPECT_TRUE(byName->IsKindOf(RUNTIME_CLASS(CSquare)));
    delete byName;
    EXPECT_EQ(before + 1, CCircle::s_constructed);

    EXPECT_TRUE(RUNTIME_CLASS(CShape)->CreateObject() == NULL);  // not dynamically creatable
    EXPECT_TRUE(CRuntimeClass::CreateObject("CNoSuchClass") == NULL);
    EXPECT_TRUE(CRuntimeClass::FromName("CFileException") == RUNTIME_CLASS(CFileException));
}

// A cache whose constructor sets nothing starts empty, also in memory that held another
// object's values a moment ago.
TEST(NoTrackObjectTest, MembersTheConstructorLeavesReadZero) {
    struct CCache : public CNoTrackObject {
        int nPoints;
        char* pszFace;
        unsigned char data[40];
    };
    for (int round = 0; round < 3; ++round) {
        CCache* pCache = new CCache;
        EXPECT_EQ(0, pCache->nPoints) << round;
        EXPECT_EQ(nullptr, pCache->pszFace) << round;
        for (unsigned char b : pCache->data)
            EXPECT_EQ(0, b) << round;
        pCache->nPoints = 9;
        pCache->pszFace = reinterpret_cast<char*>(pCache);
        std::memset(pCache->data, 0xAB, sizeof pCache->data);
        delete pCache;
    }
}

TEST(ExceptionTest, ErrorMessagesAreTruncatedToTheBuffer) {
    CFileException fe(CFileException::fileNotFound, ERROR_FILE_NOT_FOUND, "C:\\data\\x.cfg");
    char text[128];
    UINT help = 7;
    ASSERT_TRUE(fe.GetErrorMessage(text, sizeof text, &help));
    EXPECT_STREQ("The file could not be located: C:\\data\\x.cfg.", text);
    EXPECT_EQ(0u, help);
    char tiny[5];
    ASSERT_TRUE(fe.GetErrorMessage(tiny, sizeof tiny));
    EXPECT_STREQ("The ", tiny);
    EXPECT_FALSE(fe.GetErrorMessage(tiny, 0));

    CArchiveException ae(CArchiveException::endOfFile);
    ASSERT_TRUE(ae.GetErrorMessage(text, sizeof text));
    EXPECT_STREQ("An unexpected end of file was reached.", text);
    EXPECT_EQ(CArchiveException::genericException, CArchiveException::generic);

    CUserException ue;
    text[0] = 'x';
    EXPECT_FALSE(ue.GetErrorMessage(text, sizeof text));
    EXPECT_STREQ("", text);
}

TEST(ExceptionTest, ThrowHelpersRaiseTheirClass) {
    struct Case { const char* what; void (*raise)(); CRuntimeClass* cls; };
    const Case cases[] = {
        {"memory", [] { AfxThrowMemoryException(); }, RUNTIME_CLASS(CMemoryException)},
        {"not supported", [] { AfxThrowNotSupportedException(); }, RUNTIME_CLASS(CNotSupportedException)},
        {"invalid argument", [] { AfxThrowInvalidArgException(); }, RUNTIME_CLASS(CInvalidArgException)},
        {"resource", [] { AfxThrowResourceException(); }, RUNTIME_CLASS(CResourceException)},
        {"user", [] { AfxThrowUserException(); }, RUNTIME_CLASS(CUserException)},
        {"file", [] { AfxThrowFileException(CFileException::diskFull, ERROR_DISK_FULL, "f"); }, RUNTIME_CLASS(CFileException)},
        {"archive", [] { AfxThrowArchiveException(CArchiveException::badIndex); }, RUNTIME_CLASS(CArchiveException)},
    };
    for (const Case& c : cases) {
        try {
            c.raise();
            ADD_FAILURE() << c.what << " did not throw";
        } catch (CException* e) {
            EXPECT_TRUE(e->IsKindOf(c.cls)) << c.what << ": got " << e->GetRuntimeClass()->m_lpszClassName;
            e->Delete();
        }
    }
    // The memory exception is one static object: deleting it must leave it usable.
    for (int i = 0; i < 2; ++i) {
        try {
            AfxThrowMemoryException();
        } catch (CException* e) {
            EXPECT_FALSE(e->m_bAutoDelete);
            e->Delete();
        }
    }
}

TEST(ExceptionTest, CallbackBarrierStopsEveryKindOfException) {
    struct Case { const char* what; int (*body)(); int expected; };
    const Case cases[] = {
        {"no exception", [] { return 5; }, 5},
        {"framework exception", []() -> int { AfxThrowNotSupportedException(); }, -1},
        {"user exception", []() -> int { AfxThrowUserException(); }, -1},
        {"standard exception", []() -> int { throw std::runtime_error("boom"); }, -1},
        {"out of memory", []() -> int { throw std::bad_alloc(); }, -1},
        {"anything", []() -> int { throw 42; }, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, AfxCallbackBarrier(-1, c.body)) << c.what;
}

TEST(ExceptionTest, FileErrorCodesMapToCauses) {
    struct Case { LONG os; int cause; };
    const Case cases[] = {
        {NO_ERROR, CFileException::none},
        {ERROR_FILE_NOT_FOUND, CFileException::fileNotFound},
        {ERROR_PATH_NOT_FOUND, CFileException::badPath},
        {ERROR_ACCESS_DENIED, CFileException::accessDenied},
        {ERROR_SHARING_VIOLATION, CFileException::sharingViolation},
        {ERROR_DISK_FULL, CFileException::diskFull},
        {ERROR_HANDLE_EOF, CFileException::endOfFile},
        {12345, CFileException::genericException},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.cause, CFileException::OsErrorToException(c.os)) << c.os;
}

}  // namespace
