// SPDX-License-Identifier: GPL-3.0-or-later
// Dialog template 102 (the main window) and menu 129. The captions are the
// resource's own Russian texts; the language file replaces them at start-up.
#include <initializer_list>
#include <string>

#include "app/ControlIds.h"
#include "app/SourceText.h"
#include "app/VelmoraDlg.h"
#include "textfile/Cp1251.h"

namespace velmora {

namespace {

using ui::ControlKind;
using ui::ControlTemplate;
namespace st = ui;

// The source is UTF-8; the resource holds Windows-1251 bytes.
std::string R(const char* utf8) { return Cp(utf8); }

// Every control starts a group except the second and later radio buttons of a
// radio group, so that each radio group ends where the next control begins.
constexpr std::uint32_t kEditStyle = st::kGroup | st::kCenter | st::kStaticEdge;
constexpr std::uint32_t kCaption = st::kGroup;
constexpr std::uint32_t kResult = st::kGroup | st::kRight;
constexpr std::uint32_t kButton = st::kGroup;

class Builder {
 public:
  explicit Builder(ui::DialogTemplate& t) : t_(t) {}
  void Add(int id, ControlKind kind, const std::string& text, int x, int y, int w, int h, std::uint32_t style) {
    t_.controls.push_back(ControlTemplate{id, kind, text, x, y, w, h, style});
  }
  void Edit(int id, int x, int y, int w, int h = 12) { Add(id, ControlKind::Edit, "", x, y, w, h, kEditStyle); }
  void Label(int id, const char* utf8, int x, int y, int w, int h = 8) {
    Add(id, ControlKind::Static, R(utf8), x, y, w, h, kCaption);
  }
  void Result(int id, const char* utf8, int x, int y) { Add(id, ControlKind::Static, R(utf8), x, y, 45, 8, kResult); }
  void Group(int id, const char* utf8, int x, int y, int w, int h) {
    Add(id, ControlKind::GroupBox, R(utf8), x, y, w, h, st::kGroup);
  }
  void Radio(int id, const char* utf8, int x, int y, int w, bool first) {
    Add(id, ControlKind::RadioButton, R(utf8), x, y, w, 10, first ? st::kGroup : 0u);
  }
  void Check(int id, const char* utf8, int x, int y, int w, int h = 10, std::uint32_t extra = 0) {
    Add(id, ControlKind::CheckBox, R(utf8), x, y, w, h, st::kGroup | extra);
  }
  void Button(int id, const char* utf8, int x, int y, int w, int h, std::uint32_t extra = 0) {
    Add(id, ControlKind::Button, R(utf8), x, y, w, h, kButton | extra);
  }

 private:
  ui::DialogTemplate& t_;
};

void InputGroup(Builder& b) {
  using namespace ids;
  b.Group(IDC_GROUP_INPUT, "Исходные данные", 7, 3, 230, 260);
  b.Radio(IDC_RADIO_OUTPUT, "Выходной дроссель", 25, 20, 100, true);
  b.Radio(IDC_RADIO_OTHER_USE, "Другого применения", 130, 20, 100, false);

  b.Label(IDC_LABEL_L, "Индуктивность  дросселя", 15, 42, 155);
  b.Edit(IDC_EDIT_L, 175, 40, 35);
  b.Label(IDC_UNIT_L, "мкГн", 213, 42, 20);

  b.Label(IDC_LABEL_INOM, "Номинальный выходной ток", 15, 58, 165);
  b.Edit(IDC_EDIT_INOM, 186, 56, 25);
  b.Label(ui::IDC_STATIC, "A", 213, 58, 10);

  b.Label(IDC_LABEL_IMIN, "Минимальный выходной ток", 15, 74, 165);
  b.Edit(IDC_EDIT_IMIN, 185, 72, 25);
  b.Label(ui::IDC_STATIC, "A", 213, 74, 10);

  b.Check(IDC_CHECK_IMIN, "Использовать минимальный выходной ток", 40, 88, 180);

  b.Label(IDC_LABEL_U1, "Напряжение на дросселе, ключ включен", 15, 106, 165);
  b.Edit(IDC_EDIT_U1, 185, 104, 25);
  b.Label(IDC_UNIT_U1, "В", 213, 106, 10);

  b.Label(IDC_LABEL_U2, "Напряжение на дросселе, ключ выключен", 15, 122, 165);
  b.Edit(IDC_EDIT_U2, 185, 120, 25);
  b.Label(IDC_UNIT_U2, "В", 213, 122, 10);

  b.Label(IDC_LABEL_FC, "Частота", 15, 138, 165);
  b.Edit(IDC_EDIT_FC, 185, 136, 25);
  b.Label(IDC_UNIT_FC, "кГц", 213, 138, 20);

  b.Label(IDC_LABEL_J, "Плотность тока", 15, 154, 165);
  b.Edit(IDC_EDIT_J, 185, 152, 25);
  b.Label(IDC_UNIT_J, "A/mm2", 213, 154, 22);

  b.Label(IDC_LABEL_DPROV, "Диаметр провода", 15, 170, 140);
  b.Label(IDC_UNIT_DPROV_AWG, "AWG", 160, 170, 22);
  b.Edit(IDC_EDIT_DPROV, 185, 168, 25);
  b.Add(IDC_SPIN_WIRE, ControlKind::Spin, "", 210, 168, 11, 12, st::kGroup);
  b.Label(IDC_UNIT_DPROV_MM, "mm", 223, 170, 12);

  b.Check(IDC_CHECK_USE_D, "Использовать желаемый диаметр провода", 40, 184, 180);
  b.Radio(IDC_RADIO_METRIC, "Метрический, мм", 25, 200, 100, true);
  b.Radio(IDC_RADIO_AWG, "Стандарт AWG", 130, 200, 100, false);
}

void CoreCalcGroup(Builder& b) {
  using namespace ids;
  b.Group(IDC_GROUP_CORE_CALC, "Сердечник", 242, 3, 235, 120);
  b.Radio(IDC_RADIO_GAP, "Величина немагнитного зазора, мм", 249, 16, 178, true);
  b.Radio(IDC_RADIO_AL, "Индуктивность сердечника (AL), нГн/виток^2", 249, 28, 178, false);
  b.Edit(IDC_EDIT_ZAZOR, 430, 20, 25);

  b.Label(IDC_CAP_REQUIRED, "Требуемый немагнитный зазор", 249, 42, 150);
  b.Result(IDC_RES_REQUIRED, "0,000", 405, 42);
  b.Label(IDC_UNIT_REQUIRED, "мм", 453, 42, 20);

  b.Label(IDC_CAP_AL, "Индуктивность сердечника (AL), нГн/виток^2", 249, 53, 155);
  b.Result(IDC_RES_AL, "0,0", 405, 53);

  b.Label(IDC_CAP_MUE, "Эффективная проницаемость с зазором", 249, 64, 155);
  b.Result(IDC_RES_MUE, "0,0", 405, 64);

  b.Label(IDC_CAP_BPK, "Амплитуда индукции", 249, 75, 80);
  b.Add(IDC_RES_LIMIT, ControlKind::Static, R("(не более 0,222 Т)"), 330, 75, 73, 8, kCaption);
  b.Result(IDC_RES_BPK, "0,000", 405, 75);
  b.Label(IDC_UNIT_BPK, "T", 453, 75, 10);

  b.Label(IDC_CAP_BAC, "Амплитуда переменной составляющей индукции", 249, 86, 155);
  b.Result(IDC_RES_BAC, "0,000", 405, 86);
  b.Label(IDC_UNIT_BAC, "T", 453, 86, 10);

  b.Label(IDC_CAP_PCORE, "Мощность потерь в магнитопроводе", 249, 97, 155);
  b.Result(IDC_RES_PCORE, "0,000", 405, 97);
  b.Label(IDC_UNIT_PCORE, "Вт", 453, 97, 20);

  b.Label(IDC_CAP_FILL, "Коэффициент заполнения окна", 249, 108, 155);
  b.Result(IDC_RES_FILL, "0,000", 405, 108);
}

void InductorGroup(Builder& b) {
  using namespace ids;
  b.Group(IDC_GROUP_INDUCTOR, "Дроссель", 242, 129, 240, 134);
  b.Label(IDC_CAP_LACT, "Индуктивность дросселя", 249, 145, 150);
  b.Result(IDC_RES_LACT, "0,000", 405, 145);
  b.Label(IDC_UNIT_LACT, "мкГн", 453, 145, 25);

  b.Label(IDC_CAP_TURNS, "Число витков дросселя", 249, 160, 150);
  b.Result(IDC_RES_TURNS, "0", 405, 160);

  b.Label(IDC_CAP_WIRE, "Диаметр провода дросселя", 249, 175, 150);
  b.Result(IDC_RES_WIRE, "0,000", 405, 175);
  b.Label(IDC_UNIT_WIRE, "mm", 453, 175, 20);

  b.Label(IDC_CAP_WIRES, "Число проводов в обмотке", 249, 190, 150);
  b.Result(IDC_RES_WIRES, "0", 405, 190);

  b.Label(IDC_CAP_JACT, "Плотность тока, максимальная", 249, 205, 150);
  b.Result(IDC_RES_JACT, "0,000", 405, 205);
  b.Label(IDC_UNIT_JACT, "A/mm2", 453, 205, 25);

  b.Label(IDC_CAP_IPK, "Амплитуда тока дросселя", 249, 220, 150);
  b.Result(IDC_RES_IPK, "0,000", 405, 220);
  b.Label(IDC_UNIT_IPK, "A", 453, 220, 10);

  b.Label(IDC_CAP_DI, "Размах пульсации тока в дросселе", 249, 235, 150);
  b.Result(IDC_RES_DI, "0,000", 405, 235);
  b.Label(IDC_UNIT_DI, "A", 453, 235, 10);
}

void CoreDatabaseGroup(Builder& b) {
  using namespace ids;
  b.Group(IDC_GROUP_CORE_DB, "Сердечник", 487, 3, 186, 292);
  b.Add(IDC_COMBO_CORE, ControlKind::ComboBox, "", 495, 14, 130, 14,
        st::kGroup | st::kDropDown | st::kSorted | st::kVScroll);
  b.Label(IDC_LABEL_SHAPE, "Форма", 630, 14, 35);
  b.Radio(IDC_SHAPE_E, "E", 630, 25, 35, true);
  b.Radio(IDC_SHAPE_EI, "ЕI", 630, 35, 35, false);  // the first letter is the Cyrillic Е
  b.Radio(IDC_SHAPE_ER, "ER", 630, 45, 35, false);
  b.Radio(IDC_SHAPE_ETD, "ETD", 630, 55, 35, false);
  b.Radio(IDC_SHAPE_R, "R", 630, 65, 35, false);
  b.Radio(IDC_SHAPE_OTHER, "Другая", 630, 75, 40, false);

  b.Label(IDC_LABEL_MATERIAL, "Материал", 597, 90, 70);
  b.Add(IDC_COMBO_MATERIAL, ControlKind::ComboBox, "", 595, 100, 75, 12, st::kGroup | st::kDropDown | st::kVScroll);

  b.Label(IDC_LABEL_DIMENSIONS, "Размеры магнитопровода:", 495, 112, 120);
  struct Dim {
    int label, edit;
    const char* caption;
    int x;
  };
  constexpr Dim dims[] = {{IDC_LABEL_DIM_A, IDC_DIM_A, "A, мм", 493}, {IDC_LABEL_DIM_B, IDC_DIM_B, "B, мм", 518},
                          {IDC_LABEL_DIM_C, IDC_DIM_C, "C, мм", 543}, {IDC_LABEL_DIM_D, IDC_DIM_D, "D, мм", 568},
                          {IDC_LABEL_DIM_H, IDC_DIM_H, "H, мм", 593}, {IDC_LABEL_DIM_h, IDC_DIM_h, "h, мм", 618},
                          {IDC_LABEL_DIM_I, IDC_DIM_I, "I, мм", 643}};
  for (const Dim& d : dims) b.Label(d.label, d.caption, d.x, 121, 24);
  for (const Dim& d : dims) b.Edit(d.edit, d.x, 130, 24);

  b.Label(IDC_LABEL_CORE_DATA, "Данные магнитопровода:", 495, 147, 120);
  b.Label(IDC_LABEL_MU, "Эффективная проницаемость", 495, 160, 92, 16);
  b.Edit(IDC_DATA_MU, 590, 160, 30);
  b.Label(IDC_LABEL_AE, "Площадь сечения магнитопровода", 495, 178, 92, 16);
  b.Edit(IDC_DATA_AE, 590, 178, 30);
  b.Label(IDC_UNIT_AE, "Ae, мм2", 623, 180, 40);
  b.Label(IDC_LABEL_AN, "Площадь окна магнитопровода", 495, 196, 92, 16);
  b.Edit(IDC_DATA_AN, 590, 196, 30);
  b.Label(IDC_UNIT_AN, "An, мм2", 623, 198, 40);
  b.Label(IDC_LABEL_LE, "Длина средней линии", 495, 216, 92);
  b.Edit(IDC_DATA_LE, 590, 214, 30);
  b.Label(IDC_UNIT_LE, "le, мм", 623, 216, 40);
  b.Label(IDC_LABEL_VE, "Объем", 495, 234, 92);
  b.Edit(IDC_DATA_VE, 590, 232, 30);
  b.Label(IDC_UNIT_VE, "Ve, см3", 623, 234, 40);

  b.Check(IDC_CHECK_ADD_DIMS, "Добавление в базу (ввод размеров)", 500, 248, 165, 12, st::kMultiline | st::kVCenter);
  b.Check(IDC_CHECK_ADD_DATA, "Добавление в базу (ввод данных)", 500, 260, 165, 12, st::kMultiline | st::kVCenter);
}

void Buttons(Builder& b) {
  using namespace ids;
  b.Button(IDC_LOAD, "Загрузить", 57, 275, 50, 16);
  b.Button(IDC_SAVE, "Сохранить", 164, 275, 50, 16);
  b.Button(IDC_CALCULATE, "Рассчитать!", 271, 275, 50, 16, st::kDefault);
  b.Button(IDC_EXIT, "Выход", 378, 275, 50, 16);
  b.Button(IDC_ADD_CORE, "Добавить в базу", 495, 275, 80, 16, st::kMultiline);
  b.Button(IDC_DELETE_CORE, "Удалить из базы", 585, 275, 80, 16, st::kMultiline);
  // One line below the buttons, across the window; empty until a command
  // has something to say.
  b.Add(IDC_NOTICE, ControlKind::Static, "", 7, 296, 666, 8, kCaption);
}

}  // namespace

ui::DialogTemplate MainWindowTemplate() {
  ui::DialogTemplate t;
  t.id = ids::IDD_MAIN;
  t.title = R("Velmora - Программа расчета дросселя");
  t.w = 680;
  t.h = 308;
  t.minimizeBox = true;
  Builder b(t);
  InputGroup(b);
  CoreCalcGroup(b);
  InductorGroup(b);
  CoreDatabaseGroup(b);
  Buttons(b);

  // Menu 129: help, the language placeholder (position 1), about, and the
  // design menu after it.
  ui::MenuItem help;
  help.id = ids::ID_HELP;
  help.text = R("Помощь");
  ui::MenuItem language;
  language.id = ids::ID_LANGUAGE_PLACEHOLDER;
  language.text = R("Язык");
  ui::MenuItem about;
  about.id = ids::ID_APP_ABOUT;
  about.text = R("О программе...");
  t.menu = {help, language, about, DesignMenuTemplate()};
  t.accelerators = {{"Ctrl+S", ids::IDC_SAVE, true},
                    {"Ctrl+O", ids::IDC_LOAD, true},
                    {"F1", ids::ID_HELP, false},
                    {"Ctrl+Return", ids::IDC_CALCULATE, true},
                    {"Ctrl+Enter", ids::IDC_CALCULATE, true},
                    {"Ctrl+Z", ids::ID_EDIT_UNDO, false},
                    {"Ctrl+Shift+Z", ids::ID_EDIT_REDO, false}};
  t.buttonMnemonics = true;
  return t;
}

}  // namespace velmora
