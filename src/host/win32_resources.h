/* Identifiers of the saver's resources, shared by the resource script and the
   code. Plain C preprocessor definitions: windres reads this file too. */
#pragma once

#define IDD_SETTINGS 2003
#define IDS_DESCRIPTION 1
/* The predefined button class by its ordinal; windres would store the
   quoted class name as text. */
#define BUTTON_CLASS 0x80
