# Every check kind against hostile servers on loopback, one table.
set(_hs ${CMAKE_CURRENT_SOURCE_DIR}/tests)

add_executable(workers_hostile_net_test ${_hs}/HostileServerNetTest.cpp ${_hs}/MailTestSupport.cpp
               ${_hs}/SilentTarget.cpp ${_hs}/WorkerTestSupport.cpp)
target_include_directories(workers_hostile_net_test PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/src ${_hs})
target_link_libraries(workers_hostile_net_test PRIVATE workers Monitor orv_gtest psapi)
# Alone: its rows check that each cycle ends within the limit plus a second, and the gigabyte
# rows read and copy up to 64 MB within that time, which tests sharing the processors can starve.
orv_add_gtest(workers_hostile_net_test LABEL net TIMEOUT 480 SERIAL)
