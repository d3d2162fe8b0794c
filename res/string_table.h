/* The program's string table: one definition for the resource script and for the
   host fakes. Each entry is a wide literal; "\n" is a line feed. Included by
   setup.rc (through windres' preprocessor) and by C++ code. */
#ifndef LUMORA_RES_STRING_TABLE_H
#define LUMORA_RES_STRING_TABLE_H

#define IDS_EXIT 1
#define IDS_DONE 2
#define IDS_EXIT_QUESTION 3
#define IDS_INVALID_DESTINATION 5
#define IDS_DESTINATION_LABEL 6
#define IDS_CANT_INSTALL_FILES 7
#define IDS_INSTALLATION_FOLDER 8
#define IDS_ASSOCIATION_QUESTION 9
#define IDS_VIEWER_RUNNING 10
#define IDS_CANT_CREATE_DESTINATION 11

#define TEXT_EXIT "&Exit"
#define TEXT_DONE "&Done"
#define TEXT_EXIT_QUESTION "Exit setup?"
#define TEXT_INVALID_DESTINATION "Invalid destination directory!"
#define TEXT_DESTINATION_LABEL "Destination directory"
#define TEXT_CANT_INSTALL_FILES "Can't install all files!\n\nPlease close all running Lumora instances and check your destination directory for free space or write protection!\n\n(the installer should be started in ADMIN mode, use e.g. right mouse button click on installer)"
#define TEXT_INSTALLATION_FOLDER "Installation folder:"
#define TEXT_ASSOCIATION_QUESTION "You want to change current associations and to associate one or many file types with Lumora!\n\nAre you REALLY sure!?"
#define TEXT_VIEWER_RUNNING "Warning: Lumora is running!\nPlease close all Lumora instances before you install this version!"
#define TEXT_CANT_CREATE_DESTINATION "Can't create destination directory!\n\nPlease check your write permissions and system policies!\n\nTry to create the destination folder manually and restart."

#endif
