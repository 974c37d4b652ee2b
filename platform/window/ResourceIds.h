// Identifiers shared by the program's resource script and its code.
#pragma once

#define IDI_ZENTRA 1
#define IDR_MAINMENU 100
#define IDR_POPUPMENU 102

// The About panel's pictures, drawn at build time.
#define IDB_ABOUT_OK 300
#define IDB_ABOUT_SHADOW 301
#define IDB_DISPLAY_BACKGROUND 302
// The same pictures drawn for 144 and 192 dpi.
#define IDB_ABOUT_OK_144 310
#define IDB_ABOUT_SHADOW_144 311
#define IDB_DISPLAY_BACKGROUND_144 312
#define IDB_ABOUT_OK_192 320
#define IDB_ABOUT_SHADOW_192 321
#define IDB_DISPLAY_BACKGROUND_192 322

// Menu commands.
#define IDM_ACTIONS_CALCULATOR 200
#define IDM_ACTIONS_FACTORIZATION 201
#define IDM_ACTIONS_LCM 202
#define IDM_ACTIONS_GCD 203
#define IDM_ACTIONS_CANCELLATION 204
#define IDM_ACTIONS_EXIT 205
#define IDM_EDIT_UNDO 210
#define IDM_EDIT_COPY 211
#define IDM_EDIT_PASTE 212
#define IDM_EDIT_DELETE 213
#define IDM_EDIT_CLEAR 214
#define IDM_HELP_TOPICS 215
#define IDM_HELP_WEB 216
#define IDM_HELP_MAIL 217
#define IDM_HELP_ABOUT 218
#define IDM_VIEW_TABULAR 221
#define IDM_VIEW_LINEAR 222
#define IDM_POPUP_WHAT 220
