<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ru_RU">
<context>
    <name>TTemplateMain</name>
    <message>
        <source>Неделя</source>
        <translation>Week</translation>
    </message>
    <message>
        <source>Графики</source>
        <translation>Graphs</translation>
    </message>
</context>
<context>
    <name>TWeekdayPage</name>
    <message>
        <source>Вкладка &quot;Неделя&quot;</source>
        <translation>&quot;Week&quot; tab</translation>
    </message>
    <message>
        <source>Обновить</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>Пересчитать статистику по выбранным параметрам</source>
        <translation>Recompute the statistics with the chosen parameters</translation>
    </message>
    <message>
        <source>Оставить выделенные</source>
        <translation>Keep selected</translation>
    </message>
    <message>
        <source>В списке комбинаций оставить комбинации с выделенными значениями</source>
        <translation>Keep the combinations with the selected values in the combination list</translation>
    </message>
    <message>
        <source>Удалить выделенные</source>
        <translation>Delete selected</translation>
    </message>
    <message>
        <source>Из списка комбинаций удалить комбинации с выделенными  значениями</source>
        <translation>Delete the combinations with the selected values from the combination list</translation>
    </message>
    <message>
        <source>График по дням недели</source>
        <translation>Chart by weekdays</translation>
    </message>
    <message>
        <source>График статистики по дням недели: по дням недели для номера или по номерам для дня недели</source>
        <translation>Chart of the weekday statistics: over the weekdays for a number, or over the numbers for a weekday</translation>
    </message>
    <message>
        <source>График / диаграмма</source>
        <translation>Line / bar chart</translation>
    </message>
    <message>
        <source>Вид графика статистики по дням недели: линия или столбцы</source>
        <translation>Look of the weekday statistics chart: a line or bars</translation>
    </message>
    <message>
        <source>Тиражей:</source>
        <translation>Draws:</translation>
    </message>
    <message>
        <source>Количество тиражей, использующихся для расчета статистики</source>
        <translation>Number of draws used to compute the statistics</translation>
    </message>
</context>
<context>
    <name>TGraphPage</name>
    <message>
        <source>Вкладка &quot;Графики&quot;</source>
        <translation>&quot;Graphs&quot; tab</translation>
    </message>
    <message>
        <source>Обновить</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>Перестроить график</source>
        <translation>Plot the graph again</translation>
    </message>
    <message>
        <source>Распределение сумм тиражей и всех возможных комбинаций</source>
        <translation>Distribution of the sums of the draws and of all possible combinations</translation>
    </message>
    <message>
        <source>Распределение сумм всех возможных комбинаций и архива тиражей одновременно</source>
        <translation>Distribution of the sums of all possible combinations and of the draw archive at once</translation>
    </message>
    <message>
        <source>Тиражей:</source>
        <translation>Draws:</translation>
    </message>
    <message>
        <source>Количество тиражей, использующихся для построения графиков</source>
        <translation>Number of draws used to plot the graphs</translation>
    </message>
    <message>
        <source>Тип графика</source>
        <translation>Graph type</translation>
    </message>
    <message>
        <source>Отображать метки на графике</source>
        <translation>Show labels on the graph</translation>
    </message>
    <message>
        <source>Количество повторов в зависимости от тиража</source>
        <translation>Number of repeats by draw</translation>
    </message>
</context>
<context>
    <name>TRepeatsModel</name>
    <message>
        <source>Тираж</source>
        <translation>Draw</translation>
    </message>
    <message>
        <source>Совпадений</source>
        <translation>Shared</translation>
    </message>
    <message>
        <source>Кол-во повторов</source>
        <translation>Repeats</translation>
    </message>
    <message>
        <source>Список тиражей</source>
        <translation>Draw list</translation>
    </message>
</context>
<context>
    <name>TFormRepeats</name>
    <message>
        <source>Тиражей:</source>
        <translation>Draws:</translation>
    </message>
    <message>
        <source>Количество тиражей, использующихся для расчета статистики</source>
        <translation>Number of draws used to compute the statistics</translation>
    </message>
    <message>
        <source>Рассчитать</source>
        <translation>Compute</translation>
    </message>
    <message>
        <source>Глубина:</source>
        <translation>Depth:</translation>
    </message>
    <message>
        <source>Количество тиражей, просматриваемых &quot;в глубину&quot; для поиска совпадений</source>
        <translation>Number of earlier draws searched &quot;in depth&quot; for shared numbers</translation>
    </message>
</context>
</TS>
