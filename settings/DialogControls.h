#ifndef ZEMBRIA_SETTINGS_DIALOG_CONTROLS_H
#define ZEMBRIA_SETTINGS_DIALOG_CONTROLS_H
/* Control ids of the settings dialog (template 2003). Plain defines, because
   the resource script shares them with the code. */

/* What the user edits. */
#define IDC_LANGUAGE 1010
#define IDC_MEMBER_LOGIN 1002
#define IDC_PASSWORD 1011
#define IDC_REFRESH_RATE 1012
#define IDC_CACHE_DAYS 1042
#define IDC_SHOW_ZEMBRIAN_TIME 1017
#define IDC_SHOW_ALL_INFOS 1018
#define IDC_SHOW_LOCAL_TIME 1041

/* Proxy fields: shown, never edited or saved. */
#define IDC_PROXY_HOST 1013
#define IDC_PROXY_PORT 1014
#define IDC_PROXY_LOGIN 1015
#define IDC_PROXY_PASSWORD 1016

/* Texts filled when the dialog opens. */
#define IDC_TITLE 1006
#define IDC_VERSION 1007
#define IDC_WEB_SITE 1008
#define IDC_LANGUAGE_LABEL 1019
#define IDC_LOGIN_LABEL 1020
#define IDC_PASSWORD_LABEL 1021
#define IDC_REFRESH_LABEL 1026
#define IDC_CACHE_DAYS_LABEL 1043
#define IDC_PROXY_HOST_LABEL 1022
#define IDC_PROXY_PORT_LABEL 1023
#define IDC_PROXY_LOGIN_LABEL 1024
#define IDC_PROXY_PASSWORD_LABEL 1025
#define IDC_INFO_LANGUAGE 1031
#define IDC_INFO_LOGIN 1030
#define IDC_INFO_REFRESH 1029
#define IDC_INFO_ADV1 1032
#define IDC_INFO_ADV2 1033
#define IDC_INFO_ADV3 1034

/* The proxy note keeps its template text. */
#define IDC_INFO_PROXY 1027

#endif
