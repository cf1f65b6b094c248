/* Identifiers of the saver's resources, shared by the resource script and the
   code. Plain C preprocessor definitions: windres reads this file too. The
   radio buttons' ids are those of the settings table (app/settings.h), which
   a test checks against the dialog. */
#pragma once

#define IDD_SETTINGS 2003
#define IDS_DESCRIPTION 1
#define IDC_NETWORK_NAME 1020
#define IDC_NETWORK_PATH 1021
#define IDC_CHOOSE_NETWORK 1022
#define IDC_BUILTIN_NETWORK 1023
/* Checked: a whole map on each monitor; clear: one map across them all. */
#define IDC_EACH_MONITOR 1024
/* The predefined button and static classes by their ordinals; windres would
   store a quoted class name as text. */
#define BUTTON_CLASS 0x80
#define STATIC_CLASS 0x82
