// Arrays, lists and maps: order, growth, removal while walking, and the fixed walk order of maps
// that archived tables depend on.
#include "orv/gtest.h"
#include "afx.h"
#include <string>
#include <vector>

namespace {

template <class ARRAY>
std::vector<std::string> Texts(const ARRAY& a) {
    std::vector<std::string> v;
    for (INT_PTR i = 0; i < a.GetSize(); ++i)
        v.push_back(a[i].str());
    return v;
}

TEST(CArrayTest, InsertAndRemoveKeepNonTrivialElementsIntact) {
    // CString elements are not bitwise-movable: any memmove-style shifting would corrupt them.
    CStringArray a;
    for (int i = 0; i < 20; ++i) {
        CString s;
        s.Format("element %02d with a text longer than a short-string buffer", i);
        a.Add(s);
    }
    a.InsertAt(0, CString("first"), 2);
    a.InsertAt(5, CString("middle"));
    a.InsertAt(a.GetSize(), CString("last"));
    a.RemoveAt(10, 3);
    ASSERT_EQ(20 + 2 + 1 + 1 - 3, a.GetSize());
    EXPECT_EQ("first", a[0].str());
    EXPECT_EQ("first", a[1].str());
    EXPECT_EQ(0, a[2].Find("element 00"));
    EXPECT_EQ("middle", a[5].str());
    EXPECT_EQ(0, a[6].Find("element 03"));
    EXPECT_EQ(0, a[10].Find("element 10"));  // 07, 08, 09 removed
    EXPECT_EQ("last", a[a.GetUpperBound()].str());

    // Adding an element of the array itself while it has to grow
    CStringArray b;
    b.Add(CString("self"));
    for (int i = 0; i < 40; ++i)
        b.Add(b[0]);
    EXPECT_EQ(41, b.GetSize());
    EXPECT_EQ("self", b[40].str());
}

TEST(CArrayTest, GrowthZeroFillsAndSetAtGrowExtends) {
    CDWordArray a;
    a.SetSize(3);
    EXPECT_EQ(0u, a[0] | a[1] | a[2]);
    a.SetAtGrow(6, 7);
    ASSERT_EQ(7, a.GetSize());
    EXPECT_EQ(0u, a[5]);
    EXPECT_EQ(7u, a[6]);
    a.SetSize(2);
    EXPECT_EQ(2, a.GetSize());
    a.SetSize(4);
    EXPECT_EQ(0u, a[3]);  // new again after shrinking: zero, not the old value

    struct Pod { int x; DWORD y; };
    CArray<Pod, const Pod&> pods;
    pods.SetSize(1000, 0);
    for (INT_PTR i = 0; i < pods.GetSize(); ++i)
        ASSERT_EQ(0, pods[i].x + (int)pods[i].y) << i;
}

TEST(CArrayTest, OutOfRangeAccessThrows) {
    CByteArray a;
    a.Add(1);
    struct Case { const char* what; void (*op)(CByteArray&); };
    const Case cases[] = {
        {"GetAt(-1)", [](CByteArray& x) { (void)x.GetAt(-1); }},
        {"GetAt(size)", [](CByteArray& x) { (void)x.GetAt(1); }},
        {"RemoveAt beyond", [](CByteArray& x) { x.RemoveAt(0, 2); }},
        {"SetSize negative", [](CByteArray& x) { x.SetSize(-1); }},
    };
    for (const Case& c : cases) {
        try {
            c.op(a);
            ADD_FAILURE() << c.what << " did not throw";
        } catch (CException* e) {
            EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CInvalidArgException))) << c.what;
            e->Delete();
        }
    }
    EXPECT_EQ(1, a.GetSize());
}

TEST(CArrayTest, TypedPointerArray) {
    int values[3] = {10, 20, 30};
    CTypedPtrArray<CPtrArray, int*> a;
    for (int& v : values)
        a.Add(&v);
    a.RemoveAt(1);
    ASSERT_EQ(2, a.GetSize());
    EXPECT_EQ(10, *a[0]);
    EXPECT_EQ(30, *a.GetAt(1));
    a[0] = &values[1];
    EXPECT_EQ(20, *a[0]);
}

TEST(CListTest, OrderInsertionAndSearch) {
    CStringList list;
    list.AddTail(CString("b"));
    list.AddHead(CString("a"));
    POSITION posD = list.AddTail(CString("d"));
    list.InsertBefore(posD, CString("c"));
    list.InsertAfter(posD, CString("e"));
    list.InsertBefore(NULL, CString("0"));  // NULL: at the head
    list.InsertAfter(NULL, CString("z"));   // NULL: at the tail

    std::vector<std::string> forward, backward;
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        forward.push_back(list.GetNext(pos).str());
    for (POSITION pos = list.GetTailPosition(); pos != NULL;)
        backward.push_back(list.GetPrev(pos).str());
    EXPECT_EQ((std::vector<std::string>{"0", "a", "b", "c", "d", "e", "z"}), forward);
    EXPECT_EQ((std::vector<std::string>{"z", "e", "d", "c", "b", "a", "0"}), backward);
    EXPECT_EQ(7, list.GetCount());

    EXPECT_EQ("d", list.GetAt(list.Find(CString("d"))).str());
    EXPECT_TRUE(list.Find(CString("q")) == NULL);
    EXPECT_TRUE(list.Find(CString("a"), list.Find(CString("a"))) == NULL);  // search starts after
    EXPECT_EQ("c", list.GetAt(list.FindIndex(3)).str());
    EXPECT_TRUE(list.FindIndex(7) == NULL);
    EXPECT_TRUE(list.FindIndex(-1) == NULL);

    EXPECT_EQ("0", list.RemoveHead().str());
    EXPECT_EQ("z", list.RemoveTail().str());
    EXPECT_EQ("a", list.GetHead().str());
    EXPECT_EQ("e", list.GetTail().str());
}

TEST(CListTest, RemovingWhileWalking) {
    struct Case { const char* what; bool (*drop)(int); std::vector<int> expected; };
    const Case cases[] = {
        {"every other", [](int v) { return v % 2 == 0; }, {1, 3, 5}},
        {"head and tail", [](int v) { return v == 0 || v == 5; }, {1, 2, 3, 4}},
        {"all", [](int) { return true; }, {}},
        {"none", [](int) { return false; }, {0, 1, 2, 3, 4, 5}},
    };
    for (const Case& c : cases) {
        CList<int, int> list;
        for (int i = 0; i < 6; ++i)
            list.AddTail(i);
        for (POSITION pos = list.GetHeadPosition(); pos != NULL;) {
            POSITION cur = pos;
            int v = list.GetNext(pos);
            if (c.drop(v))
                list.RemoveAt(cur);
        }
        std::vector<int> left;
        for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
            left.push_back(list.GetNext(pos));
        EXPECT_EQ(c.expected, left) << c.what;
        EXPECT_EQ((INT_PTR)c.expected.size(), list.GetCount()) << c.what;
        EXPECT_EQ(c.expected.empty(), list.IsEmpty() != FALSE) << c.what;
    }
}

TEST(CListTest, EmptyListAccessThrowsAndTypedListCasts) {
    CPtrList empty;
    try {
        (void)empty.RemoveHead();
        ADD_FAILURE() << "RemoveHead on an empty list did not throw";
    } catch (CException* e) {
        e->Delete();
    }
    int a = 1, b = 2;
    CTypedPtrList<CPtrList, int*> list;
    list.AddTail(&a);
    list.AddHead(&b);
    EXPECT_EQ(2, *list.GetHead());
    EXPECT_EQ(1, *list.GetTail());
    EXPECT_TRUE(list.Find(&a) == list.GetTailPosition());
    EXPECT_EQ(&b, list.RemoveHead());
}

template <class MAP, class K, class V>
std::vector<std::pair<K, V>> Walk(const MAP& map) {
    std::vector<std::pair<K, V>> v;
    for (POSITION pos = map.GetStartPosition(); pos != NULL;) {
        K key;
        V value;
        map.GetNextAssoc(pos, key, value);
        v.emplace_back(key, value);
    }
    return v;
}

TEST(CMapTest, WalkOrderIsBucketsAscendingNewestFirst) {
    // Keys hash to key >> 4; with 17 buckets: 0x10 and 0x120 share bucket 1, 0x20 is in 2,
    // 0x05 in 0, 0x110 in 0 (0x11 % 17 == 0).
    CMap<UINT, UINT, int, int> map;
    map[0x20] = 1;
    map[0x10] = 2;
    map[0x05] = 3;
    map[0x120] = 4;
    map[0x110] = 5;
    std::vector<std::pair<UINT, int>> expected = {{0x110, 5}, {0x05, 3}, {0x120, 4}, {0x10, 2}, {0x20, 1}};
    EXPECT_EQ(expected, (Walk<decltype(map), UINT, int>(map)));

    map[0x10] = 20;  // updating keeps the place
    expected[3].second = 20;
    EXPECT_EQ(expected, (Walk<decltype(map), UINT, int>(map)));
}

TEST(CMapTest, HashValues) {
    struct Case { const char* what; UINT got; UINT expected; };
    const Case cases[] = {
        {"uint", HashKey<UINT>(0x1234), 0x123},
        {"negative int as 32 bits", HashKey<int>(-1), 0x0FFFFFFF},
        {"pointer", HashKey<void*>((void*)(UINT_PTR)0x123456789A0), (UINT)(0x123456789A0ull >> 4)},
        {"empty string", HashKey<LPCTSTR>(""), 0},
        {"string", HashKey<LPCTSTR>("ab"), 97u * 33u + 98u},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, c.got) << c.what;
}

TEST(CMapTest, LookupRemoveAndRemovalDuringWalk) {
    CMapStringToPtr map;
    map.InitHashTable(7);
    int values[10];
    for (int i = 0; i < 10; ++i) {
        CString key;
        key.Format("key%d", i);
        map.SetAt(key, &values[i]);
    }
    EXPECT_EQ(10, map.GetCount());
    void* p = NULL;
    ASSERT_TRUE(map.Lookup("key3", p));
    EXPECT_EQ(&values[3], p);
    EXPECT_FALSE(map.Lookup("key10", p));
    EXPECT_TRUE(map.RemoveKey("key3"));
    EXPECT_FALSE(map.RemoveKey("key3"));
    EXPECT_FALSE(map.Lookup("key3", p));

    // Removing the pair just returned is allowed while walking.
    int seen = 0;
    for (POSITION pos = map.GetStartPosition(); pos != NULL;) {
        CString key;
        void* value;
        map.GetNextAssoc(pos, key, value);
        ++seen;
        if ((static_cast<int*>(value) - values) % 2 == 0)
            map.RemoveKey(key);
    }
    EXPECT_EQ(9, seen);
    EXPECT_EQ(4, map.GetCount());  // 1, 5, 7, 9 are left
    for (int i : {1, 5, 7, 9}) {
        CString key;
        key.Format("key%d", i);
        EXPECT_TRUE(map.Lookup(key, p)) << i;
    }
    map.RemoveAll();
    EXPECT_TRUE(map.GetStartPosition() == NULL);
    EXPECT_TRUE(map.IsEmpty());
}

TEST(CMapTest, NamedMaps) {
    CMapStringToString names;
    names["one"] = "1";
    names.SetAt("two", "2");
    CString v;
    EXPECT_TRUE(names.Lookup("two", v));
    EXPECT_EQ("2", v.str());

    int frame1, frame2;
    CMapPtrToWord loading;
    loading.SetAt(&frame1, 1);
    WORD w = 9;
    EXPECT_TRUE(loading.Lookup(&frame1, w));
    EXPECT_EQ(1, w);
    EXPECT_FALSE(loading.Lookup(&frame2, w));

    CMapPtrToPtr ptrs;
    ptrs[&frame2] = &frame1;
    void* out = NULL;
    EXPECT_TRUE(ptrs.Lookup(&frame2, out));
    EXPECT_EQ(&frame1, out);

    // the table size can only change while the map is empty
    try {
        names.InitHashTable(31);
        ADD_FAILURE() << "InitHashTable on a filled map did not throw";
    } catch (CException* e) {
        e->Delete();
    }
    EXPECT_EQ(2, names.GetCount());
}

}  // namespace
