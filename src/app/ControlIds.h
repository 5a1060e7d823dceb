// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Control, menu and resource IDs of the main window (dialog template 102,
// menu 129).
namespace velmora::ids {

// Dialog template, menu, icon.
constexpr int IDD_MAIN = 102;
constexpr int IDR_MAINMENU = 129;
constexpr int IDR_MAINFRAME = 128;

// Buttons along the bottom edge. 1 and 2 are IDOK and IDCANCEL.
constexpr int IDC_CALCULATE = 1;
constexpr int IDC_EXIT = 2;
constexpr int IDC_SAVE = 3;
constexpr int IDC_LOAD = 4;
constexpr int IDC_ADD_CORE = 6;
constexpr int IDC_DELETE_CORE = 7;

// Group "initial data".
constexpr int IDC_GROUP_INPUT = 1014;
constexpr int IDC_RADIO_OUTPUT = 1000;  // use 0
constexpr int IDC_RADIO_OTHER_USE = 1003;
constexpr int IDC_EDIT_L = 1007;
constexpr int IDC_EDIT_INOM = 1015;
constexpr int IDC_EDIT_IMIN = 1101;
constexpr int IDC_EDIT_U1 = 1004;
constexpr int IDC_EDIT_U2 = 1005;
constexpr int IDC_EDIT_FC = 1006;
constexpr int IDC_EDIT_J = 1009;
constexpr int IDC_EDIT_DPROV = 1036;
constexpr int IDC_LABEL_L = 1016;
constexpr int IDC_LABEL_INOM = 1017;
constexpr int IDC_LABEL_IMIN = 1018;
constexpr int IDC_LABEL_U1 = 1010;
constexpr int IDC_LABEL_U2 = 1011;
constexpr int IDC_LABEL_FC = 1019;
constexpr int IDC_LABEL_J = 1020;
constexpr int IDC_LABEL_DPROV = 1035;
constexpr int IDC_UNIT_L = 1077;
constexpr int IDC_UNIT_U1 = 1078;
constexpr int IDC_UNIT_U2 = 1079;
constexpr int IDC_UNIT_FC = 1083;
constexpr int IDC_UNIT_J = 1084;
constexpr int IDC_UNIT_DPROV_MM = 1085;
constexpr int IDC_UNIT_DPROV_AWG = 1086;
constexpr int IDC_CHECK_IMIN = 1093;
constexpr int IDC_SPIN_WIRE = 1122;
constexpr int IDC_CHECK_USE_D = 1013;
constexpr int IDC_RADIO_METRIC = 1091;  // yes_AWG 0
constexpr int IDC_RADIO_AWG = 1102;

// Group "core" of the calculation.
constexpr int IDC_GROUP_CORE_CALC = 1037;
constexpr int IDC_RADIO_GAP = 1012;  // gapChoice 0
constexpr int IDC_RADIO_AL = 1038;
constexpr int IDC_EDIT_ZAZOR = 1001;
constexpr int IDC_RES_REQUIRED = 1040;
constexpr int IDC_CAP_REQUIRED = 1039;
constexpr int IDC_UNIT_REQUIRED = 1092;
constexpr int IDC_RES_AL = 1051;
constexpr int IDC_CAP_AL = 1047;
constexpr int IDC_RES_MUE = 1056;
constexpr int IDC_CAP_MUE = 1048;
constexpr int IDC_RES_BPK = 1052;
constexpr int IDC_CAP_BPK = 1057;
constexpr int IDC_RES_LIMIT = 1103;
constexpr int IDC_RES_BAC = 1071;
constexpr int IDC_CAP_BAC = 1107;
constexpr int IDC_RES_PCORE = 1105;
constexpr int IDC_CAP_PCORE = 1058;
constexpr int IDC_UNIT_PCORE = 1106;
constexpr int IDC_RES_FILL = 1002;
constexpr int IDC_CAP_FILL = 1059;

// Group "inductor" results.
constexpr int IDC_GROUP_INDUCTOR = 1060;
constexpr int IDC_RES_LACT = 1049;
constexpr int IDC_CAP_LACT = 1062;
constexpr int IDC_UNIT_LACT = 1104;
constexpr int IDC_RES_TURNS = 1050;
constexpr int IDC_CAP_TURNS = 1073;
constexpr int IDC_RES_WIRE = 1076;
constexpr int IDC_CAP_WIRE = 1074;
constexpr int IDC_UNIT_WIRE = 1123;
constexpr int IDC_RES_WIRES = 1113;
constexpr int IDC_CAP_WIRES = 1075;
constexpr int IDC_RES_JACT = 1008;
constexpr int IDC_CAP_JACT = 1118;
constexpr int IDC_UNIT_JACT = 1088;
constexpr int IDC_RES_IPK = 1132;
constexpr int IDC_CAP_IPK = 1119;
constexpr int IDC_RES_DI = 1148;
constexpr int IDC_CAP_DI = 1121;
// The fixed units beside results ("T", "A"): IDs of their own so that they
// grey with their values.
constexpr int IDC_UNIT_BPK = 1240;
constexpr int IDC_UNIT_BAC = 1241;
constexpr int IDC_UNIT_IPK = 1242;
constexpr int IDC_UNIT_DI = 1243;

// The notice line below the form: what the last command that changed the
// inputs without typing did.
constexpr int IDC_NOTICE = 1250;

// Group "core" database.
constexpr int IDC_GROUP_CORE_DB = 1055;
constexpr int IDC_COMBO_CORE = 1034;
constexpr int IDC_LABEL_SHAPE = 1161;
constexpr int IDC_SHAPE_E = 1041;  // shape index 0, the first of six radios
constexpr int IDC_SHAPE_EI = 1042;
constexpr int IDC_SHAPE_ER = 1043;
constexpr int IDC_SHAPE_ETD = 1044;
constexpr int IDC_SHAPE_R = 1045;
constexpr int IDC_SHAPE_OTHER = 1046;
constexpr int IDC_LABEL_MATERIAL = 1168;
constexpr int IDC_COMBO_MATERIAL = 1153;
constexpr int IDC_LABEL_DIMENSIONS = 1179;
constexpr int IDC_DIM_A = 1120;
constexpr int IDC_DIM_B = 1021;
constexpr int IDC_DIM_C = 1022;
constexpr int IDC_DIM_D = 1023;
constexpr int IDC_DIM_H = 1024;
constexpr int IDC_DIM_h = 1025;
constexpr int IDC_DIM_I = 1026;
constexpr int IDC_LABEL_DIM_A = 1152;
constexpr int IDC_LABEL_DIM_B = 1154;
constexpr int IDC_LABEL_DIM_C = 1155;
constexpr int IDC_LABEL_DIM_D = 1157;
constexpr int IDC_LABEL_DIM_H = 1156;
constexpr int IDC_LABEL_DIM_h = 1158;
constexpr int IDC_LABEL_DIM_I = 1159;
constexpr int IDC_LABEL_CORE_DATA = 1189;
constexpr int IDC_DATA_MU = 1027;
constexpr int IDC_DATA_AE = 1028;
constexpr int IDC_DATA_AN = 1029;
constexpr int IDC_DATA_LE = 1030;
constexpr int IDC_DATA_VE = 1031;
constexpr int IDC_LABEL_MU = 1199;
constexpr int IDC_LABEL_AE = 1210;
constexpr int IDC_LABEL_AN = 1221;
constexpr int IDC_LABEL_LE = 1229;
constexpr int IDC_LABEL_VE = 1147;
constexpr int IDC_UNIT_AE = 1149;
constexpr int IDC_UNIT_AN = 1150;
constexpr int IDC_UNIT_LE = 1151;
constexpr int IDC_UNIT_VE = 1160;
constexpr int IDC_CHECK_ADD_DIMS = 1032;
constexpr int IDC_CHECK_ADD_DATA = 1033;

// The open and save dialogs (templates 141 and 142).
constexpr int IDC_FILE_LIST = 1009;  // the design files of the folder
constexpr int IDC_SAVE_NAME = 1012;  // the save dialog's file-name edit

// Menu bar.
constexpr int ID_LANGUAGE_PLACEHOLDER = 32775;  // "Язык", replaced by the language submenu
constexpr int ID_APP_ABOUT = 57664;
constexpr int ID_HELP = 57670;
// Commands of the accelerator table only, with the platform's standard IDs:
// undo and redo of the last command that replaced every input.
constexpr int ID_EDIT_UNDO = 57643;
constexpr int ID_EDIT_REDO = 57644;
constexpr int kLanguageMenuPosition = 1;   // the language submenu's place on the menu bar
constexpr int kLanguageCommandBase = 500;  // items are 501, 502, ...
// The design menu, the last drop-down of the menu bar: its commands follow
// the placeholder's 32775; later windows of the menu take the next free IDs
// up to kDesignMenuLastCommand.
constexpr int kDesignMenuFirstCommand = 32776;
constexpr int ID_DESIGN_DETAILS = kDesignMenuFirstCommand;     // "Design details..."
constexpr int ID_EXPORT_REPORT = kDesignMenuFirstCommand + 1;  // "Export report..."
constexpr int ID_CORE_ADVISER = kDesignMenuFirstCommand + 2;   // "Core adviser..."
constexpr int ID_CONVERTER = kDesignMenuFirstCommand + 3;      // "Converter..."
// The MAS exchange's pair, apart from the IDs the menu's next windows take.
constexpr int ID_EXPORT_MAS = kDesignMenuFirstCommand + 10;  // "Export MAS..."
constexpr int ID_IMPORT_MAS = kDesignMenuFirstCommand + 11;  // "Import MAS..."
constexpr int kDesignMenuLastCommand = 32799;

// Core pictures: photograph / dimension drawing per shape.
constexpr int IDB_E = 130;
constexpr int IDB_E_DIMS = 131;
constexpr int IDB_EI = 132;
constexpr int IDB_EI_DIMS = 133;
constexpr int IDB_ER = 134;
constexpr int IDB_ER_DIMS = 135;
constexpr int IDB_R = 136;
constexpr int IDB_R_DIMS = 137;
constexpr int IDB_OTHER = 138;
constexpr int IDB_OTHER_2 = 139;

}  // namespace velmora::ids
