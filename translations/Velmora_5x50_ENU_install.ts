<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ru_RU">
<context>
    <name>main</name>
    <message>
        <source>В папке данных &quot;%1&quot; нет архива тиражей.</source>
        <translation>The data folder &quot;%1&quot; has no draw archive.</translation>
    </message>
    <message>
        <source>Создать пробный архив из %1 случайных тиражей? Это пробные данные, а не настоящие результаты лотереи: настоящие тиражи загружаются из меню &quot;Архив тиражей&quot; или импортируются из файла.</source>
        <translation>Create a sample archive of %1 random draws? This is sample data, not real lottery results: real draws are downloaded from the menu &quot;Draw archive&quot; or imported from a file.</translation>
    </message>
</context>
<context>
    <name>velmora</name>
    <message>
        <source>Не удалось создать папку данных &quot;%s&quot;: %s</source>
        <translation>Cannot create the data folder &quot;%s&quot;: %s</translation>
    </message>
</context>
</TS>
