# The POP3 and SMTP checks: their clients, the MX query over UDP, and the two workers.
set(_mt ${CMAKE_CURRENT_SOURCE_DIR}/tests)

add_executable(workers_mail_test ${_mt}/MailProtocolTest.cpp ${_mt}/MailTestSupport.cpp ${_mt}/WorkerTestSupport.cpp)
target_include_directories(workers_mail_test PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/src ${_mt})
target_link_libraries(workers_mail_test PRIVATE workers Monitor orv_gtest)
orv_add_gtest(workers_mail_test LABEL unit)

# Against scripted and real-protocol fakes on loopback, in a network namespace of their own
# (ports 110 and 53 are free there).
add_executable(workers_pop3_net_test ${_mt}/Pop3NetTest.cpp ${_mt}/MailTestSupport.cpp ${_mt}/WorkerTestSupport.cpp)
target_include_directories(workers_pop3_net_test PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/src ${_mt})
target_link_libraries(workers_pop3_net_test PRIVATE workers Monitor orv_gtest)
orv_add_gtest(workers_pop3_net_test LABEL net TIMEOUT 300)

add_executable(workers_smtp_net_test ${_mt}/SmtpNetTest.cpp ${_mt}/MailTestSupport.cpp ${_mt}/WorkerTestSupport.cpp)
target_include_directories(workers_smtp_net_test PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/src ${_mt})
target_link_libraries(workers_smtp_net_test PRIVATE workers Monitor orv_gtest)
orv_add_gtest(workers_smtp_net_test LABEL net TIMEOUT 300)
