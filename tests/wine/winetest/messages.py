"""The setup program's documented messages and exit codes, as the tests expect them."""

INVALID_DESTINATION = "Invalid destination directory!"
CANT_CREATE_DESTINATION = ("Can't create destination directory!\n\nPlease check your write "
                           "permissions and system policies!\n\nTry to create the destination "
                           "folder manually and restart.")
VIEWER_RUNNING = ("Warning: Lumora is running!\n"
                  "Please close all Lumora instances before you install this version!")

# Exit codes of the silent road.
EXIT_INSTALLED = 0
EXIT_FAILED = 1
EXIT_VIEWER_RUNNING = 2

DEFAULT_FOLDER = "C:\\Program Files\\Lumora\\"
TEMPORARY_ARCHIVE = "lmora_x64.zip"
