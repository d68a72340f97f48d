// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Every number by which the program addresses its resources. Several kinds
// of resource share a number (128 is menu, accelerators, toolbar, toolbar
// bitmap, icon and document string at once); the kind disambiguates.

// Shared by menu, accelerators, toolbar, icon and the document string.
inline constexpr int IDR_MAINFRAME = 128;

// Dialog templates.
inline constexpr int IDD_ABOUTBOX = 100;
inline constexpr int IDD_KAROBLEN_FORM = 101;
inline constexpr int IDD_OPTIONS = 135;
inline constexpr int IDD_GAMEOVER = 142;
inline constexpr int IDD_HIGHSCORES = 147;
inline constexpr int IDD_NAMEENTRY = 148;
inline constexpr int IDD_BOARDNUMBER = 150;
inline constexpr int IDD_HOWTOPLAY = 151;

// Bitmaps.
inline constexpr int IDB_TOOLBAR = 128;
inline constexpr int IDB_TILESET = 145;
inline constexpr int TilesetBitmap = IDB_TILESET;
// The tile symbols aid: a mark per kind, drawn over the tile pictures.
inline constexpr int IDB_TILESYMBOLS = 149;

// Icon.
inline constexpr int IDI_MAINFRAME = IDR_MAINFRAME;

// Wave sounds.
inline constexpr int SND_DROP = 139;
inline constexpr int SND_REMOVE = 140;
inline constexpr int SND_SHIFT = 141;
inline constexpr int SND_TALLY = 144;
inline constexpr int SND_UNDO = 146;

// Commands.
inline constexpr int ID_FILE_NEW = 57600;
inline constexpr int ID_FILE_HIGHSCORES = 32776;
inline constexpr int ID_FILE_MERGESCORES = 32778;
inline constexpr int ID_APP_EXIT = 57665;
inline constexpr int ID_GAME_OPTIONS = 32772;
inline constexpr int ID_GAME_UNDO = 32773;
inline constexpr int ID_GAME_TILESYMBOLS = 32779;
inline constexpr int ID_GAME_RESTART = 32780;
inline constexpr int ID_GAME_BOARDNUMBER = 32781;
inline constexpr int ID_APP_ABOUT = 57664;
inline constexpr int ID_GAME_HINT = 32782;
inline constexpr int ID_HELP_HOWTOPLAY = 32783;

// Status-bar panes; 0 doubles as the toolbar's separator marker.
inline constexpr int ID_SEPARATOR = 0;
inline constexpr int ID_INDICATOR_EXT = 59136;
inline constexpr int ID_INDICATOR_CAPS = 59137;
inline constexpr int ID_INDICATOR_NUM = 59138;
inline constexpr int ID_INDICATOR_SCRL = 59139;
inline constexpr int ID_INDICATOR_OVR = 59140;
inline constexpr int ID_INDICATOR_REC = 59141;
// The number of the board in play, after the key-lock indicators.
inline constexpr int ID_INDICATOR_BOARD = 59142;

// What assistive technology reads: the board, its cells, the news of a
// finished game, and the high-score table.
inline constexpr int IDS_BOARD_NAME = 300;
inline constexpr int IDS_TILE_KIND_FIRST = 301;  // 301-305: the kinds, in the tile sheet's order
inline constexpr int IDS_TILE_EMPTY = 306;
inline constexpr int IDS_CELL_PLACE = 307;
inline constexpr int IDS_CELL_GROUP = 308;
inline constexpr int IDS_BOARD_COLUMN = 309;
inline constexpr int IDS_BOARD_ROW = 310;
inline constexpr int IDS_NEWS_FINAL_SCORE = 312;
inline constexpr int IDS_HIGHSCORE_TABLE = 313;
inline constexpr int IDS_HIGHSCORE_RANK = 314;
inline constexpr int IDS_HIGHSCORE_PLAYER = 315;
inline constexpr int IDS_HIGHSCORE_POINTS = 316;
// 320-322: the tally's rows as news, each when it appears
inline constexpr int IDS_NEWS_GAME_SCORE = 320;
inline constexpr int IDS_NEWS_TILES_LEFT = 321;
inline constexpr int IDS_NEWS_BONUS = 322;
// What a screen reader calls the Options dialog's "..." button.
inline constexpr int IDS_TILESET_BROWSE_NAME = 323;
// The board a score was made on, under the high-score table's title.
inline constexpr int IDS_HIGHSCORE_BOARD = 330;

// The name entry's hint when a typed character cannot be kept in the score file.
inline constexpr int IDS_NAME_REFUSED = 360;

// How to Play, and what a hint says on the status bar and to a screen reader.
inline constexpr int IDS_HOWTOPLAY_TEXT = 340;
inline constexpr int IDS_HINT_MOVE = 341;
inline constexpr int IDS_HINT_CAN_CLEAR = 342;
inline constexpr int IDS_HINT_CANNOT_CLEAR = 343;
inline constexpr int IDS_HINT_UNKNOWN = 344;
inline constexpr int IDS_HINT_LINE = 345;
inline constexpr int IDS_HINT_SEARCHING = 346;

// Standard strings.
inline constexpr int AFX_IDS_APP_TITLE = 57344;
inline constexpr int AFX_IDS_IDLEMESSAGE = 57345;
inline constexpr int AFX_IDS_SCSIZE = 61184;
inline constexpr int AFX_IDS_SCMOVE = 61185;
inline constexpr int AFX_IDS_SCMINIMIZE = 61186;
inline constexpr int AFX_IDS_SCMAXIMIZE = 61187;
inline constexpr int AFX_IDS_SCCLOSE = 61190;
inline constexpr int AFX_IDS_SCRESTORE = 61202;
inline constexpr int AFX_IDP_FAILED_TO_CREATE_DOC = 61700;

// Dialog buttons.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
// Controls the program never addresses.
inline constexpr int IDC_STATIC = -1;

// Board view form (101).
inline constexpr int IDC_SCORE = 1000;
inline constexpr int IDC_TILESLEFT = 1001;
inline constexpr int IDC_SELECTSCORE = 1002;

// Options (135).
inline constexpr int IDC_BOARDSIZE = 1005;
inline constexpr int IDC_TILEKINDS = 1006;
inline constexpr int IDC_TILESET = 1007;
inline constexpr int IDC_TILESET_BROWSE = 1008;
inline constexpr int IDC_SOUNDFX = 1009;

// Game-over tally (142): values, then their labels.
inline constexpr int IDC_GAMESCORE_VALUE = 1010;
inline constexpr int IDC_TILESLEFT_VALUE = 1011;
inline constexpr int IDC_BONUS_VALUE = 1012;
inline constexpr int IDC_FINALSCORE_VALUE = 1013;
inline constexpr int IDC_GAMESCORE_LABEL = 1014;
inline constexpr int IDC_TILESLEFT_LABEL = 1015;
inline constexpr int IDC_BONUS_LABEL = 1016;
inline constexpr int IDC_FINALSCORE_LABEL = 1017;

// High-score table (147). 1018 is the title line; row r (1..10) shows its
// name in IDC_HIGHSCORE_NAME(r) and its score in IDC_HIGHSCORE_SCORE(r).
inline constexpr int IDC_HIGHSCORE_TITLE = 1018;
inline constexpr int IDC_HIGHSCORE_ROWS = 10;
constexpr int IDC_HIGHSCORE_NAME(int row) { return 1017 + 2 * row; }
constexpr int IDC_HIGHSCORE_SCORE(int row) { return 1018 + 2 * row; }
inline constexpr int IDC_HIGHSCORE_NAME1 = 1019;
inline constexpr int IDC_HIGHSCORE_SCORE1 = 1020;
inline constexpr int IDC_HIGHSCORE_NAME10 = 1037;
inline constexpr int IDC_HIGHSCORE_SCORE10 = 1038;
inline constexpr int IDC_HIGHSCORE_CONTINUE = 1039;
inline constexpr int IDC_HIGHSCORE_YOURSCORE = 1041;
inline constexpr int IDC_HIGHSCORE_BOARD = 1044;

// Name entry (148).
inline constexpr int IDC_NAME = 1040;

// Play Board Number (150): the number field and the hint under it, which
// tells what a refused number lacks.
inline constexpr int IDC_BOARDNUMBER = 1042;
inline constexpr int IDC_BOARDNUMBER_HINT = 1043;
inline constexpr int IDC_NAME_HINT = 1045;  // empty until a character is refused
// How to Play (151).
inline constexpr int IDC_HOWTOPLAY_TEXT = 1050;
