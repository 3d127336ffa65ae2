// Resource ids of the item properties, protocol settings and test-run dialogs.
#pragma once

#define IDD_ITEM_GENERAL          133
#define IDD_TEST_RUN              134
#define IDD_HTTP_SETTINGS         137
#define IDD_FTP_SETTINGS          165
#define IDD_SMTP_SETTINGS         207
#define IDD_POP3_SETTINGS         1006

// item properties: General page (133)
#define IDC_ITEM_ADDRESS          1001
#define IDC_ITEM_TEST             1003
#define IDC_ITEM_UNIT             1006
#define IDC_ITEM_SETTINGS         1009
#define IDC_ITEM_PROPERTIES_GROUP 1010
#define IDC_ITEM_FREQUENCY        1012
#define IDC_ITEM_HOW_GROUP        1015
#define IDC_ITEM_TEST_GROUP       1016
#define IDC_ITEM_TIMEOUT_LABEL    1021
#define IDC_ITEM_TIMEOUT          1022
#define IDC_ITEM_PORT             1023
#define IDC_ITEM_ACTIVE           1026
#define IDC_ITEM_PROTOCOL         1036
#define IDC_ITEM_NAME             1038
#define IDC_ITEM_PORT_LABEL       1093
#define IDC_ITEM_FREQUENCY_LABEL  1094
#define IDC_ITEM_ADDRESS_LABEL    1095
#define IDC_ITEM_NAME_LABEL       1098
#define IDC_ITEM_TEST_NOTE        1100
#define IDC_ITEM_PROTOCOL_LABEL   1101

// test run (134)
#define IDC_TEST_LOG              1038

// HTTP/HTTPS settings (137)
#define IDC_HTTP_SEARCH           1000
#define IDC_HTTP_CASE             1090
#define IDC_HTTP_SAVE_SUCCESSFUL  1091
#define IDC_HTTP_SAVE_FAILED      1092
#define IDC_HTTP_SNAPSHOT         1179
#define IDC_HTTP_SEARCH_GROUP     145
#define IDC_HTTP_SAVE_GROUP       146
#define IDC_HTTP_SEARCH_PROMPT    1102

// SMTP settings (207)
#define IDC_SMTP_TO               1007
#define IDC_SMTP_FROM             1008
#define IDC_SMTP_SUBJECT          1009
#define IDC_SMTP_BODY             1010
#define IDC_SMTP_USER             1024
#define IDC_SMTP_PASSWORD         1025
#define IDC_SMTP_AUTH_GROUP       1029
#define IDC_SMTP_MESSAGE_GROUP    1030
#define IDC_SMTP_ADDRESS_GROUP    1031

// POP3 settings (1006)
#define IDC_POP3_NOTE             12
#define IDC_POP3_BODY_SEARCH      1011
#define IDC_POP3_HEADER_ONLY      1012
#define IDC_POP3_HEADER_SEARCH    1013
#define IDC_POP3_USER             1024
#define IDC_POP3_PASSWORD         1025
#define IDC_POP3_RETRIEVAL_GROUP  1030
#define IDC_POP3_ACCOUNT_GROUP    1031

// FTP settings (165)
#define IDC_FTP_UPLOAD_BROWSE     1005
#define IDC_FTP_DOWNLOAD_BROWSE   1009
#define IDC_FTP_ACCOUNT_GROUP     1018
#define IDC_FTP_DOWNLOAD_GROUP    1019
#define IDC_FTP_UPLOAD_GROUP      1023
#define IDC_FTP_USER              1024
#define IDC_FTP_PASSWORD          1025
#define IDC_FTP_DOWNLOAD_LOCAL    1041
#define IDC_FTP_DOWNLOAD_REMOTE   1042
#define IDC_FTP_UPLOAD_LOCAL      1043
#define IDC_FTP_UPLOAD_REMOTE     1044
