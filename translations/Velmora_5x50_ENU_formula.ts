<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ru_RU">
<context>
    <name>velmora</name>
    <message>
        <source>Ошибка в операции с плавающей точкой</source>
        <translation>Floating-point operation error</translation>
    </message>
    <message>
        <source>Выражение под логарифмом меньне нуля</source>
        <translation>The expression under the logarithm is less than zero</translation>
    </message>
    <message>
        <source>Выражение под корнем меньне нуля</source>
        <translation>The expression under the square root is less than zero</translation>
    </message>
    <message>
        <source>Деление на нуль</source>
        <translation>Division by zero</translation>
    </message>
    <message>
        <source>Не хватает скобочки</source>
        <translation>A parenthesis is missing</translation>
    </message>
    <message>
        <source>Синтаксическая ошибка</source>
        <translation>Syntax error</translation>
    </message>
</context>
</TS>
