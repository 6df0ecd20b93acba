<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ru_RU">
<context>
    <name>THelpView</name>
    <message>
        <source>Назад</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>Вперед</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>Предыдущая страница (Alt+Влево)</source>
        <translation>Previous page (Alt+Left)</translation>
    </message>
    <message>
        <source>Следующая страница (Alt+Вправо)</source>
        <translation>Next page (Alt+Right)</translation>
    </message>
    <message>
        <source>Содержание</source>
        <translation>Contents</translation>
    </message>
    <message>
        <source>Содержание справки</source>
        <translation>Help contents</translation>
    </message>
    <message>
        <source>Не удалось открыть адрес: в системе не найдена программа для его просмотра.<byte value="xd" /><byte value="xd" />Откройте его вручную:<byte value="xd" />%s</source>
        <translation>Could not open the address: no program to view it was found on the system.<byte value="xd" /><byte value="xd" />Open it by hand:<byte value="xd" />%s</translation>
    </message>
</context>
<context>
    <name>TFormHelp</name>
    <message>
        <source>Справка</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Справка - %1</source>
        <translation>Help - %1</translation>
    </message>
</context>
<context>
    <name>velmora</name>
    <message>
        <source>Не удалось открыть файл текстов справки: %s</source>
        <translation>Cannot open the help texts file: %s</translation>
    </message>
    <message>
        <source>%s, строка %d: ключ %s уже был: %s</source>
        <translation>%s, line %d: the key %s was already given: %s</translation>
    </message>
    <message>
        <source>%s, строка %d: запись без ключей</source>
        <translation>%s, line %d: an entry without keys</translation>
    </message>
    <message>
        <source>%s, строка %d: текст вне записи пропущен</source>
        <translation>%s, line %d: text outside an entry skipped</translation>
    </message>
    <message>
        <source>Содержание</source>
        <translation>Contents</translation>
    </message>
    <message>
        <source>Список статистик</source>
        <translation>List of statistics</translation>
    </message>
    <message>
        <source>значение зависит от порядка чисел в тираже (позиции чисел, соседние числа), поэтому его меняет переключатель сортировки чисел тиража</source>
        <translation>the value depends on the order of the numbers in the draw (positions, neighbouring numbers), so the switch that sorts the draw numbers changes it</translation>
    </message>
    <message>
        <source>значение вычисляется только из пяти чисел комбинации; для статистики строится распределение по полному набору из 2 118 760 комбинаций (сравнение с полным набором)</source>
        <translation>the value is computed from the five numbers of the combination alone; the statistic has a distribution over the full set of 2 118 760 combinations (the comparison with the full set)</translation>
    </message>
    <message>
        <source>значение зависит от предыдущих тиражей: комбинация сравнивается с последним тиражом окна анализа и тиражами перед ним</source>
        <translation>the value depends on earlier draws: a combination is compared with the last draw of the analysis window and the draws before it</translation>
    </message>
    <message>
        <source>статистика периодов: значение измеряет, через сколько тиражей повторяются значения</source>
        <translation>period statistic: the value measures after how many draws values repeat</translation>
    </message>
    <message>
        <source>у статистики есть график тиражей (страница «Графики»)</source>
        <translation>the statistic has a draw graph (the page "Graphs")</translation>
    </message>
    <message>
        <source>Список значений не задан заранее: таблица статистики показывает значения, которые встретились в тиражах выборки.</source>
        <translation>The list of values is not fixed in advance: the statistics table shows the values met in the draws of the sample.</translation>
    </message>
    <message>
        <source>На архиве примера таблица статистики предлагает значений: %d, в том числе ни разу не встретившиеся: %s.</source>
        <translation>On the example archive the statistics table offers %d values, including those never met: %s.</translation>
    </message>
    <message>
        <source>Группа: %s</source>
        <translation>Group: %s</translation>
    </message>
    <message>
        <source>Код</source>
        <translation>Code</translation>
    </message>
    <message>
        <source>Особенности</source>
        <translation>Features</translation>
    </message>
    <message>
        <source>Что считает</source>
        <translation>What it counts</translation>
    </message>
    <message>
        <source>Комбинация получает значения так же, как тираж: она оценивается как тираж, следующий за последним тиражом окна анализа.</source>
        <translation>A combination gets its values the way a draw does: it is judged as the draw that follows the last draw of the analysis window.</translation>
    </message>
    <message>
        <source>Пример</source>
        <translation>Example</translation>
    </message>
    <message>
        <source>Архив примера: %d тиражей. Последний тираж № %d от %s: числа в порядке выпадения %s, по возрастанию %s, дополнительные числа %d и %d.</source>
        <translation>The example archive: %d draws. The last draw No. %d of %s: the numbers in drawn order %s, ascending %s, the extra numbers %d and %d.</translation>
    </message>
    <message>
        <source>Тиражи перед ним, с которыми он сравнивается (и более ранние тиражи архива примера):</source>
        <translation>The draws before it that it is compared with (and the earlier draws of the example archive):</translation>
    </message>
    <message>
        <source>Что дает статистика (числа тиражей в порядке выпадения):</source>
        <translation>What the statistic gives (the draw numbers in drawn order):</translation>
    </message>
    <message>
        <source>Значения тиража № %d</source>
        <translation>Values of draw No. %d</translation>
    </message>
    <message>
        <source>Разных значений за %d тиражей</source>
        <translation>Different values in %d draws</translation>
    </message>
    <message>
        <source>Фильтр по статистике</source>
        <translation>Filter by the statistic</translation>
    </message>
    <message>
        <source>Выделите в таблице статистики строки значений и нажмите «Оставить выделенные» (F7): останутся комбинации, у которых есть одно из выделенных значений. «Удалить выделенные» (Ctrl+F7) удаляет именно эти комбинации, остальные остаются.</source>
        <translation>Select rows of values in the statistics table and press "Keep selected" (F7): the combinations having one of the selected values remain. "Delete selected" (Ctrl+F7) deletes exactly these combinations and keeps the others.</translation>
    </message>
    <message>
        <source>Особых признаков у статистики нет.</source>
        <translation>The statistic has no special features.</translation>
    </message>
    <message>
        <source>Настройки</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Не удалось создать папку %s: %s</source>
        <translation>Cannot create the folder %s: %s</translation>
    </message>
    <message>
        <source>Статистики по группам</source>
        <translation>Statistics by group</translation>
    </message>
    <message>
        <source>Статистика дает каждому тиражу и каждой комбинации одно или несколько значений. В разделе статистики сказано, что она считает, какие значения дает и что оставляет фильтр по ней.</source>
        <translation>A statistic gives every draw and every combination one or more values. The topic of a statistic tells what it counts, which values it gives and what a filter by it keeps.</translation>
    </message>
    <message>
        <source>Неизвестный язык: %s</source>
        <translation>Unknown language: %s</translation>
    </message>
    <message>
        <source>Ключи текстов справки, которым не соответствует ни один метод: %s</source>
        <translation>Keys of the help texts that match no method: %s</translation>
    </message>
    <message>
        <source>Методы без текста справки (%d): %s</source>
        <translation>Methods without a help text (%d): %s</translation>
    </message>
</context>
</TS>
