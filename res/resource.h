/* Identifiers of the wizard's dialog templates and of their controls. Shared by
   dialogs.rc (through windres' preprocessor) and by the wizard's C++ code. */
#ifndef LUMORA_RES_RESOURCE_H
#define LUMORA_RES_RESOURCE_H

/* Page templates, in the order of the wizard's pages. */
#define IDD_WELCOME_PAGE 101
#define IDD_WHATS_NEW_PAGE 108
#define IDD_ASSOCIATIONS_PAGE 104
#define IDD_READY_PAGE 109
#define IDD_FINISH_PAGE 110

/* Artwork shown by the pages and the sheet. */
#define IDI_SETUP_ICON 111
#define IDB_SETUP_LOGO 113

#define IDC_UNNAMED -1

/* Welcome page (101). */
#define IDC_FOLDER_BOX 1000
#define IDC_BROWSE 1009
#define IDC_DESKTOP_SHORTCUT 1011
#define IDC_START_MENU_GROUP 1012
#define IDC_WELCOME_HEADER 1013
#define IDC_CURRENT_USER 1016
#define IDC_ALL_USERS 1017
#define IDC_UNCHECK_ALL 1019
#define IDC_THUMBNAILS_SHORTCUT 1021
#define IDC_EULA_LINK 1045
#define IDC_VERSION_LINE 1056

/* What's new page (108). */
#define IDC_RELEASE_NOTES_BOX 1000

/* Associations page (104). */
#define IDC_ASSOCIATION_ALL_USERS 1037
#define IDC_SELECT_ALL 1080
#define IDC_SELECT_NONE 1081
#define IDC_IMAGES_ONLY 1091
#define IDC_FILE_TYPE_LIST 1579
#define IDC_REGISTRY_BOX 3311

/* Ready page (109). */
#define IDC_CUSTOM_INI_FOLDER_BOX 1000
#define IDC_DESTINATION_LABEL 1010
#define IDC_READY_HEADER 1014
#define IDC_INI_BESIDE_VIEWER 1038
#define IDC_INI_IN_APPLICATION_DATA 1039
#define IDC_INI_CUSTOM_FOLDER 1040
#define IDC_INI_BROWSE 1042
#define IDC_STATUS_TEXT 1044

/* Finish page (110). */
#define IDC_FINISH_HEADER 1015
#define IDC_START_VIEWER 1020
#define IDC_OPEN_FAQ 1022

#endif
