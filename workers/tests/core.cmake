# The workers core: thread base, run cycle, worker manager, port and ping checks, connection.
set(_wt ${CMAKE_CURRENT_SOURCE_DIR}/tests)

add_executable(workers_core_test ${_wt}/ThreadTest.cpp ${_wt}/CycleTest.cpp ${_wt}/DescriptorBudgetTest.cpp
               ${_wt}/WorkerTestSupport.cpp)
target_include_directories(workers_core_test PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/src ${_wt})
target_link_libraries(workers_core_test PRIVATE workers Monitor orv_gtest)
orv_add_gtest(workers_core_test LABEL unit)

add_executable(workers_core_net_test ${_wt}/ConnectionNetTest.cpp ${_wt}/WorkerNetTest.cpp
               ${_wt}/SilentTarget.cpp ${_wt}/WorkerTestSupport.cpp)
target_include_directories(workers_core_net_test PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/src ${_wt})
target_link_libraries(workers_core_net_test PRIVATE workers Monitor orv_gtest)
orv_add_gtest(workers_core_net_test LABEL net TIMEOUT 300)
