<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ru_RU">
<context>
    <name>velmora</name>
    <message>
        <source>Статистика %s не имеет графика</source>
        <translation>Statistic %s has no graph</translation>
    </message>
    <message>
        <source>Анализ тиражей и построение графиков...</source>
        <translation>Analysing the draws and plotting the graphs...</translation>
    </message>
    <message>
        <source>Среднее значение</source>
        <translation>Average</translation>
    </message>
    <message>
        <source>Наиболее часто встречающееся значение</source>
        <translation>Most frequent value</translation>
    </message>
    <message>
        <source>Неделя</source>
        <translation>Week</translation>
    </message>
    <message>
        <source>Построение статистики по дням недели...</source>
        <translation>Building the weekday statistics...</translation>
    </message>
    <message>
        <source>Распределение сумм тиражей и всех возможных комбинаций</source>
        <translation>Distribution of the sums of the draws and of all possible combinations</translation>
    </message>
    <message>
        <source>Идет сбор статистики....</source>
        <translation>Collecting statistics....</translation>
    </message>
    <message>
        <source>Фактическое распределение сумм (по тиражам)</source>
        <translation>Actual distribution of sums (by draws)</translation>
    </message>
    <message>
        <source>Теоретическое распределение сумм (по комбинациям)</source>
        <translation>Theoretical distribution of sums (by combinations)</translation>
    </message>
    <message>
        <source>Диапазон %d (от %s и выше по оси Y) - суммы %d-%d</source>
        <translation>Range %d (from %s and above on the Y axis) - sums %d-%d</translation>
    </message>
    <message>
        <source>Количество повторов в зависимости от тиража</source>
        <translation>Number of repeats depending on the draw</translation>
    </message>
    <message>
        <source>Создание графиков...</source>
        <translation>Building charts...</translation>
    </message>
    <message>
        <source>Совпадений: %d</source>
        <translation>Shared numbers: %d</translation>
    </message>
    <message>
        <source>Глубина поиска совпадений должна быть не меньше 1</source>
        <translation>The search depth must be at least 1</translation>
    </message>
</context>
</TS>
