<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ru_RU">
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
