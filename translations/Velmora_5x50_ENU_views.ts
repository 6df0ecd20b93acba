<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ru_RU">
<context>
    <name>TCardPage</name>
    <message>
        <source>Вкладка &quot;Карта&quot;</source>
        <translation>Tab &quot;Card&quot;</translation>
    </message>
    <message>
        <source>Выделять каналы в карте тиражей</source>
        <translation>Highlight channels in the draws card</translation>
    </message>
    <message>
        <source>Выделять цветами каналы в карте тиражей</source>
        <translation>Highlight the channels of the draws card in colour</translation>
    </message>
    <message>
        <source>Выделять последовательности в карте тиражей</source>
        <translation>Highlight sequences in the draws card</translation>
    </message>
    <message>
        <source>Выделять цветами последовательности в карте тиражей</source>
        <translation>Highlight the repeats and sequences of the draws card in colour</translation>
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
        <source>Экспорт карты тиражей в Microsoft Excel</source>
        <translation>Export the draws card to Microsoft Excel</translation>
    </message>
    <message>
        <source>Обновление карты тиражей...</source>
        <translation>Updating the draws card...</translation>
    </message>
</context>
<context>
    <name>TLayoutCompareModel</name>
    <message>
        <source>Кол-во</source>
        <translation>Count</translation>
    </message>
</context>
<context>
    <name>TLayoutPage</name>
    <message>
        <source>Вкладка &quot;Схема&quot;</source>
        <translation>Tab &quot;Scheme&quot;</translation>
    </message>
    <message>
        <source>Обновить</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>Пересчитать схему</source>
        <translation>Recompute the scheme</translation>
    </message>
    <message>
        <source>Пересчитать таблицы сравнения</source>
        <translation>Recompute the comparison tables</translation>
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
        <source>Градиентная раскраска схемы</source>
        <translation>Gradient colouring of the scheme</translation>
    </message>
    <message>
        <source>Градиентная раскраска схемы выпадения номеров</source>
        <translation>Gradient colouring of the scheme of number occurrences</translation>
    </message>
    <message>
        <source>Экспорт схемы в Microsoft Excel</source>
        <translation>Export the scheme to Microsoft Excel</translation>
    </message>
    <message>
        <source>Тиражей:</source>
        <translation>Draws:</translation>
    </message>
    <message>
        <source>Количество тиражей, использующихся для расчета статистики</source>
        <translation>Number of draws used to calculate the statistic</translation>
    </message>
    <message>
        <source>Количество тиражей, использующихся для расчета статистики в списке 1</source>
        <translation>Number of draws used to calculate the statistic in list 1</translation>
    </message>
    <message>
        <source>Количество тиражей, использующихся для расчета статистики в списке 2</source>
        <translation>Number of draws used to calculate the statistic in list 2</translation>
    </message>
    <message>
        <source>Количество тиражей, использующихся для расчета статистики в списке 3</source>
        <translation>Number of draws used to calculate the statistic in list 3</translation>
    </message>
    <message>
        <source>Количество тиражей, использующихся для расчета статистики в списке 4</source>
        <translation>Number of draws used to calculate the statistic in list 4</translation>
    </message>
    <message>
        <source>Количество тиражей, использующихся для расчета статистики в списке 5</source>
        <translation>Number of draws used to calculate the statistic in list 5</translation>
    </message>
    <message>
        <source>Кол-во</source>
        <translation>Count</translation>
    </message>
    <message>
        <source>Построение схемы выпадения номеров...</source>
        <translation>Building the scheme of number occurrences...</translation>
    </message>
</context>
<context>
    <name>TTemplateMain</name>
    <message>
        <source>Карта</source>
        <translation>Card</translation>
    </message>
    <message>
        <source>Схема</source>
        <translation>Scheme</translation>
    </message>
</context>
<context>
    <name>velmora</name>
    <message>
        <source>Карта</source>
        <translation>Card</translation>
    </message>
    <message>
        <source>Схема</source>
        <translation>Scheme</translation>
    </message>
    <message>
        <source>Кол-во</source>
        <translation>Count</translation>
    </message>
</context>
<context>
    <name>velmora::cli</name>
    <message>
        <source>Укажите пять длин выборки не меньше 1 через запятую, например 50,100,200,300,400: &quot;%s&quot;</source>
        <translation>Give five sample lengths of at least 1 separated by commas, for example 50,100,200,300,400: &quot;%s&quot;</translation>
    </message>
    <message>
        <source>Длины --lens относятся к спискам сравнения (--compare)</source>
        <translation>The lengths --lens belong to the comparison lists (--compare)</translation>
    </message>
</context>
</TS>
