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
<context>
    <name>velmora::cli</name>
    <message>
        <source>Параметр %s: ожидаются пять чисел от 0 до 50 через &quot;;&quot;: %s</source>
        <translation>Option %s: five numbers from 0 to 50 separated by &quot;;&quot; are expected: %s</translation>
    </message>
    <message>
        <source>Количество знаков должно быть от %d до %d</source>
        <translation>The number of digits must be from %d to %d</translation>
    </message>
    <message>
        <source>Номер формулы должен быть от 1 до 3</source>
        <translation>The formula number must be from 1 to 3</translation>
    </message>
</context>
<context>
    <name>velmora::TstShreddingStat</name>
    <message>
        <source>Метод шинковки %0:d: %%s</source>
        <translation>Shredding method %0:d: %%s</translation>
    </message>
</context>
<context>
    <name>TFormShredding</name>
    <message>
        <source>Методы шинковки</source>
        <translation>Shredding methods</translation>
    </message>
    <message>
        <source>Формула 1:</source>
        <translation>Formula 1:</translation>
    </message>
    <message>
        <source>Формула 2:</source>
        <translation>Formula 2:</translation>
    </message>
    <message>
        <source>Формула 3:</source>
        <translation>Formula 3:</translation>
    </message>
    <message>
        <source>Используемая формула</source>
        <translation>The formula used</translation>
    </message>
    <message>
        <source>Количество используемых знаков после запятой</source>
        <translation>Number of decimal places used</translation>
    </message>
    <message>
        <source>Используемые переменные:</source>
        <translation>Variables:</translation>
    </message>
    <message>
        <source>n1, n2, n3, ..., nX - числа текущего тиража</source>
        <translation>n1, n2, n3, ..., nX - the numbers of the current draw</translation>
    </message>
    <message>
        <source>p1, p2, p3, ..., pX - числа предыдущего тиража</source>
        <translation>p1, p2, p3, ..., pX - the numbers of the previous draw</translation>
    </message>
</context>
<context>
    <name>TShreddingCommands</name>
    <message>
        <source>Формулы шинковки</source>
        <translation>Shredding formulas</translation>
    </message>
    <message>
        <source>Редактирование формул для методов шинковки</source>
        <translation>Edit the formulas of the shredding methods</translation>
    </message>
</context>
</TS>
