# HTTP, HTTPS and FTP checks, the page downloader and the HTML-to-text conversion.
set(_ht ${CMAKE_CURRENT_SOURCE_DIR}/tests)

add_executable(html_text_test ${_ht}/HtmlTextTest.cpp)
target_link_libraries(html_text_test PRIVATE workers orv_gtest)
orv_add_gtest(html_text_test LABEL unit)

add_executable(http_downloader_test ${_ht}/HttpDownloaderTest.cpp ${_ht}/WorkerTestSupport.cpp)
target_include_directories(http_downloader_test PRIVATE ${_ht})
target_link_libraries(http_downloader_test PRIVATE workers Monitor orv_gtest)
orv_add_gtest(http_downloader_test NAME http_downloader_unit LABEL unit FILTER HttpDownloaderUnit*)
orv_add_gtest(http_downloader_test NAME http_downloader_net LABEL net FILTER HttpDownloaderNet* TIMEOUT 240)

add_executable(http_worker_test ${_ht}/HttpWorkerTest.cpp ${_ht}/WorkerTestSupport.cpp)
target_include_directories(http_worker_test PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/src ${_ht})
target_link_libraries(http_worker_test PRIVATE workers Monitor orv_gtest)
orv_add_gtest(http_worker_test NAME http_worker_unit LABEL unit FILTER HttpWorkerUnit*)
orv_add_gtest(http_worker_test NAME http_worker_net LABEL net FILTER HttpWorkerNet* TIMEOUT 240)

add_executable(ftp_test ${_ht}/FtpTest.cpp ${_ht}/WorkerTestSupport.cpp)
target_include_directories(ftp_test PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/src ${_ht})
target_link_libraries(ftp_test PRIVATE workers Monitor orv_gtest)
orv_add_gtest(ftp_test NAME ftp_unit LABEL unit FILTER FtpUnit*)
orv_add_gtest(ftp_test NAME ftp_net LABEL net FILTER FtpNet* TIMEOUT 240)
