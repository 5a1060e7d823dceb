"""The texts of the language files, one list of (key, value) per section.

Order matters to the program's lookup: sections stand in this order, keys in
increasing number (s1 before s10), and no text holds a section name or key
that a later lookup would find first. make_share.py checks all of this.
"\\n" in a value is the file's escape for a line break.

Slots that no window or message uses are not written.
"""

ENGLISH = [
    ("TITLE", [
        ("title", "Velmora - Inductor Design Calculator"),
        ("version", "Version"),
    ]),
    ("ABOUT", [
        ("s1", "Inductor (choke) design for switched-mode power converters"),
        ("s2", "Velmora project: questions, bug reports and core data are welcome"),
    ]),
    ("MENU", [
        ("s1", "About..."),
        ("s2", "Help"),
        ("s3", "Language"),
        ("s4", "English"),
    ]),
    ("BASE CORES", [
        ("s1", "Core"),
        ("s2", "Shape"),
        ("s3", "Material"),
        ("s4", "Core dimensions:"),
        ("s5", "Core data:"),
        ("s6", "Effective permeability"),
        ("s7", "Core cross-section"),
        ("s8", "Core window area"),
        ("s9", "Mean magnetic path length"),
        ("s10", "Volume"),
        ("s11", "Ae, mm2"),
        ("s12", "An, mm2"),
        ("s13", "le, mm"),
        ("s14", "Ve, cm3"),
        ("s15", "Other"),
        ("s16", "Add to the database (enter dimensions)"),
        ("s17", "Add to the database (enter data)"),
        ("s18", "Add to database"),
        ("s19", "Delete from database"),
        ("s20", "Cores of the chosen shape. In an add mode type the name of the new core here."),
        ("s21", "Cores of other shapes (PQ, RM, P, U ...); they are added by their data only."),
        ("s22", "Type the name, the permeability and the dimensions A, B, C ... as the drawing "
                "shows them, then press \"Add to database\": Ae, An and le are computed."),
        ("s23", "Type the name, Ae, An, le and the permeability from the core's data sheet, "
                "then press \"Add to database\"."),
        ("s24", "Type the name of the new core into the core list's field."),
        ("s25", "Enter the effective permeability of the core without an air gap."),
        ("s26", "Enter every dimension that the shape needs (see the drawing)."),
        ("s27", "Enter Ae, An and le of the core."),
        ("s28", "Delete the selected core from the database?"),
        ("s29", "A core of that name is already in the database.\\nChoose another name."),
    ]),
    ("INITIAL DATA", [
        ("s1", "Initial data"),
        ("s2", "Inductance"),
        ("s3", "Nominal output current"),
        ("s4", "Minimum output current"),
        ("s5", "Frequency"),
        ("s6", "Current density"),
        ("s7", "Wire diameter"),
        ("s8", "Output choke"),
        ("s9", "Other use"),
        ("s10", "Use the minimum output current"),
        ("s11", "Use the desired wire diameter"),
        ("s12", "Pulse voltage amplitude (switch on)"),
        ("s13", "DC output voltage"),
        ("s14", "Choke voltage, switch on"),
        ("s15", "Choke voltage, switch off"),
        ("s16", "Metric, mm"),
        ("s17", "AWG standard"),
        ("s18", "Ticked: the winding uses the wire size in the field, several wires in parallel "
                "if needed. Unticked: the program chooses the size."),
        ("s19", "Permitted RMS current density in the wire, A/mm2; about 4 to 8 for a choke "
                "with natural cooling."),
        ("s20", "Wire size, AWG"),
    ]),
    ("MAGNETIC CORE", [
        ("s1", "Core"),
        ("s2", "Air gap length, mm"),
        ("s3", "Core inductance factor (AL), nH/turn^2"),
        ("s4", "Required air gap"),
        ("s5", "Required AL, nH/turn^2"),
        ("s6", "Effective permeability with gap"),
        ("s7", "Peak flux density"),
        ("s8", "Core loss"),
        ("s9", "Window fill factor"),
        ("s10", "max."),
        ("s11", "AC flux density amplitude"),
        ("s12", "Total air gap in the magnetic path in mm, or AL in nH/turn^2, as the buttons "
                "on the left choose."),
    ]),
    ("RESULTS", [
        ("s1", "Inductor"),
        ("s2", "Inductance"),
        ("s3", "Number of turns"),
        ("s4", "Wire diameter"),
        ("s5", "Parallel wires in the winding"),
        ("s6", "Current density in the wire"),
        ("s7", "Peak current"),
        ("s8", "Ripple current, peak to peak"),
        ("s9", "Wire size"),
    ]),
    ("BUTTONS", [
        ("s1", "Exit"),
        ("s2", "Calculate!"),
        ("s3", "Load"),
        ("s4", "Save"),
        ("s5", "Load a design saved earlier (*.sav)"),
        ("s6", "Save the inputs of this design to a file (*.sav)"),
    ]),
    ("OTHERS", [
        ("s1", "Open file"),
        ("s2", "Open"),
        ("s3", "Save as"),
        ("s4", "Save"),
        ("s5", "File name to save"),
        ("s6", "Replace the existing file"),
        ("s7", "Cancel"),
        ("s8", "Attention!"),
        ("s9", "File not found:"),
        ("s10", "V"),
        ("s12", "W"),
        ("s13", "kHz"),
        ("s14", "mH"),
        ("s15", "\u00b5H"),
        ("s18", "mm"),
        ("s20", "A/mm2"),
        ("s21", "Other material (no data)"),
        ("s22", "Could not write the file"),
        ("s23", "The peak flux density exceeds the permitted value: the core saturates or "
                "runs too hot.\\nIncrease the air gap (lower AL), or choose a larger core."),
        ("s24", "The winding does not fit: the window fill factor exceeds 0.4.\\nChoose a core "
                "with a larger window or permit a higher current density."),
        ("s25", "The current ripple exceeds twice the nominal current (discontinuous current)."
                "\\nThe nominal current has been raised to half the ripple; press \"Calculate!\" "
                "again, or increase the inductance."),
        ("s26", "AWG"),
        # The typed size, a blank, the millimetre unit and a blank are inserted
        # after the third blank; a blank, the chosen size, a blank and the unit
        # are appended.
        ("s27", "The wire diameter is not in the wire table.\\nThe next larger size is used:"),
        ("s28", "A core name must not contain \"[\", \"]\" or a line break."),
    ]),
]

RUSSIAN = [
    ("TITLE", [
        ("title", "Velmora - Программа расчета дросселя"),
        ("version", "Версия"),
    ]),
    ("ABOUT", [
        ("s1", "Расчет дросселей импульсных источников питания"),
        ("s2", "Проект Velmora: вопросы, сообщения об ошибках и данные сердечников"),
    ]),
    ("MENU", [
        ("s1", "О программе..."),
        ("s2", "Помощь"),
        ("s3", "Язык"),
        ("s4", "Русский"),
    ]),
    ("BASE CORES", [
        ("s1", "Сердечник"),
        ("s2", "Форма"),
        ("s3", "Материал"),
        ("s4", "Размеры магнитопровода:"),
        ("s5", "Данные магнитопровода:"),
        ("s6", "Эффективная проницаемость"),
        ("s7", "Площадь сечения магнитопровода"),
        ("s8", "Площадь окна магнитопровода"),
        ("s9", "Длина средней линии"),
        ("s10", "Объем"),
        ("s11", "Ae, мм2"),
        ("s12", "An, мм2"),
        ("s13", "le, мм"),
        ("s14", "Ve, см3"),
        ("s15", "Другая"),
        ("s16", "Добавление в базу (ввод размеров)"),
        ("s17", "Добавление в базу (ввод данных)"),
        ("s18", "Добавить в базу"),
        ("s19", "Удалить из базы"),
        ("s20", "Сердечники выбранной формы. В режиме добавления введите здесь имя нового "
                "сердечника."),
        ("s21", "Сердечники других форм (PQ, RM, P, U ...); добавляются только вводом данных."),
        ("s22", "Введите имя, проницаемость и размеры A, B, C ... как на чертеже, затем нажмите "
                "\"Добавить в базу\": Ae, An и le будут рассчитаны."),
        ("s23", "Введите имя, Ae, An, le и проницаемость из справочных данных сердечника, затем "
                "нажмите \"Добавить в базу\"."),
        ("s24", "Введите имя нового сердечника в поле списка сердечников."),
        ("s25", "Введите эффективную проницаемость сердечника без зазора."),
        ("s26", "Введите все размеры, нужные для этой формы (см. чертеж)."),
        ("s27", "Введите Ae, An и le сердечника."),
        ("s28", "Удалить выбранный сердечник из базы?"),
        ("s29", "Сердечник с таким именем уже есть в базе.\\nВыберите другое имя."),
    ]),
    ("INITIAL DATA", [
        ("s1", "Исходные данные"),
        ("s2", "Индуктивность  дросселя"),
        ("s3", "Номинальный выходной ток"),
        ("s4", "Минимальный выходной ток"),
        ("s5", "Частота"),
        ("s6", "Плотность тока"),
        ("s7", "Диаметр провода"),
        ("s8", "Выходной дроссель"),
        ("s9", "Другого применения"),
        ("s10", "Использовать минимальный выходной ток"),
        ("s11", "Использовать желаемый диаметр провода"),
        ("s12", "Амплитуда импульсов (ключ включен)"),
        ("s13", "Выходное напряжение"),
        ("s14", "Напряжение на дросселе, ключ включен"),
        ("s15", "Напряжение на дросселе, ключ выключен"),
        ("s16", "Метрический, мм"),
        ("s17", "Стандарт AWG"),
        ("s18", "Отмечено: обмотка наматывается проводом из поля, при необходимости в несколько "
                "проводов. Не отмечено: диаметр выбирает программа."),
        ("s19", "Допустимая действующая плотность тока в проводе, А/мм2; около 4...8 для дросселя "
                "с естественным охлаждением."),
        ("s20", "Номер провода AWG"),
    ]),
    ("MAGNETIC CORE", [
        ("s1", "Сердечник"),
        ("s2", "Величина немагнитного зазора, мм"),
        ("s3", "Индуктивность сердечника (AL), нГн/виток^2"),
        ("s4", "Требуемый немагнитный зазор"),
        ("s5", "Требуемая AL, нГн/виток^2"),
        ("s6", "Эффективная проницаемость с зазором"),
        ("s7", "Амплитуда индукции"),
        ("s8", "Мощность потерь в магнитопроводе"),
        ("s9", "Коэффициент заполнения окна"),
        ("s10", "не более"),
        ("s11", "Амплитуда переменной составляющей индукции"),
        ("s12", "Суммарный немагнитный зазор в магнитной цепи, мм, или AL, нГн/виток^2, "
                "смотря по выбору слева."),
    ]),
    ("RESULTS", [
        ("s1", "Дроссель"),
        ("s2", "Индуктивность дросселя"),
        ("s3", "Число витков дросселя"),
        ("s4", "Диаметр провода дросселя"),
        ("s5", "Число проводов в обмотке"),
        ("s6", "Плотность тока, максимальная"),
        ("s7", "Амплитуда тока дросселя"),
        ("s8", "Размах пульсации тока в дросселе"),
        ("s9", "Номер провода дросселя"),
    ]),
    ("BUTTONS", [
        ("s1", "Выход"),
        ("s2", "Рассчитать!"),
        ("s3", "Загрузить"),
        ("s4", "Сохранить"),
        ("s5", "Загрузить сохраненный ранее расчет (*.sav)"),
        ("s6", "Сохранить исходные данные расчета в файл (*.sav)"),
    ]),
    ("OTHERS", [
        ("s1", "Открыть файл"),
        ("s2", "Открыть"),
        ("s3", "Сохранить как"),
        ("s4", "Сохранить"),
        ("s5", "Имя файла для сохранения"),
        ("s6", "Заменить существующий файл"),
        ("s7", "Отмена"),
        ("s8", "Внимание!"),
        ("s9", "Не найден файл:"),
        ("s10", "В"),
        ("s12", "Вт"),
        ("s13", "кГц"),
        ("s14", "мГн"),
        ("s15", "мкГн"),
        ("s18", "мм"),
        ("s20", "A/mm2"),
        ("s21", "Другой материал (нет данных)"),
        ("s22", "Не удалось записать файл"),
        ("s23", "Амплитуда индукции превышает допустимую: сердечник насыщается или перегревается."
                "\\nУвеличьте зазор (уменьшите AL) или выберите сердечник больше."),
        ("s24", "Обмотка не помещается: коэффициент заполнения окна больше 0,4.\\nВыберите "
                "сердечник с большим окном или допустите большую плотность тока."),
        ("s25", "Размах пульсации тока больше удвоенного номинального тока (прерывистый ток)."
                "\\nНоминальный ток увеличен до половины размаха; нажмите \"Рассчитать!\" еще раз "
                "или увеличьте индуктивность."),
        ("s26", "AWG"),
        ("s27", "Указанный диаметр провода отсутствует в таблице проводов.\\nБудет использован "
                "ближайший больший:"),
        ("s28", "Имя сердечника не может содержать \"[\", \"]\" или перевод строки."),
    ]),
]

SECTIONS = {"English": ENGLISH, "Russian": RUSSIAN}
