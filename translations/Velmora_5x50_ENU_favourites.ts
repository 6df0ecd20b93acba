<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ru_RU">
<context>
    <name>TDrawsStatPage</name>
    <message>
        <source>Избранные статистики</source>
        <translation>Favourite statistics</translation>
    </message>
    <message>
        <source>Настройка списка избранных видов статистики (фильтров)</source>
        <translation>Set up the list of favourite kinds of statistics (filters)</translation>
    </message>
    <message>
        <source>Избранное</source>
        <translation>Favourites</translation>
    </message>
    <message>
        <source>Все доступные статистики</source>
        <translation>All available statistics</translation>
    </message>
    <message>
        <source>Отображать все доступные виды статистики (фильтры)</source>
        <translation>Show all available kinds of statistics (filters)</translation>
    </message>
    <message>
        <source>Описание статистики</source>
        <translation>Statistic description</translation>
    </message>
    <message>
        <source>Сведения о выбранном методе расчета статистики</source>
        <translation>Information on the selected statistic calculation method</translation>
    </message>
    <message>
        <source>Подождите пожалуйста...</source>
        <translation>Please wait...</translation>
    </message>
    <message>
        <source>Вы действительно хотите сбросить список избранных фильтров?</source>
        <translation>Do you really want to reset the list of favourite filters?</translation>
    </message>
</context>
<context>
    <name>TFormManager</name>
    <message>
        <source>Менеджер избранных методов расчета статистики</source>
        <translation>Favourite statistic calculation methods manager</translation>
    </message>
    <message>
        <source>Сбросить группу</source>
        <translation>Clear group</translation>
    </message>
    <message>
        <source>Снять отметки со всех фильтров группы</source>
        <translation>Clear the marks of all filters of the group</translation>
    </message>
    <message>
        <source>Выбрать группу</source>
        <translation>Mark group</translation>
    </message>
    <message>
        <source>Поставить отметки у всех фильтров группы</source>
        <translation>Mark all filters of the group</translation>
    </message>
    <message>
        <source>Сбросить все</source>
        <translation>Clear all</translation>
    </message>
    <message>
        <source>Снять отметки со всех фильтров</source>
        <translation>Clear the marks of all filters</translation>
    </message>
    <message>
        <source>Выбрать все</source>
        <translation>Mark all</translation>
    </message>
    <message>
        <source>Поставить отметки у всех фильтров</source>
        <translation>Mark all filters</translation>
    </message>
    <message>
        <source>Описание</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>Справочная информация о выделенном методе расчета статистики</source>
        <translation>Help on the selected statistic calculation method</translation>
    </message>
    <message>
        <source>Переименовать</source>
        <translation>Rename</translation>
    </message>
    <message>
        <source>Переименовать фильтр</source>
        <translation>Rename the filter</translation>
    </message>
    <message>
        <source>Вернуть</source>
        <translation>Restore</translation>
    </message>
    <message>
        <source>Вернуть наименование &quot;по умолчанию&quot;</source>
        <translation>Restore the &quot;default&quot; name</translation>
    </message>
    <message>
        <source>Импорт названий</source>
        <translation>Import names</translation>
    </message>
    <message>
        <source>Импорт названий фильтров из файла</source>
        <translation>Import filter names from a file</translation>
    </message>
    <message>
        <source>Экспорт названий</source>
        <translation>Export names</translation>
    </message>
    <message>
        <source>Экспорт названий фильтров в файл</source>
        <translation>Export filter names to a file</translation>
    </message>
    <message>
        <source>Отметьте методы расчета статистики, которые Вы хотите использовать:</source>
        <translation>Mark the statistic calculation methods you want to use:</translation>
    </message>
    <message>
        <source> Параметры вывода наименований в списках методов расчета статистики </source>
        <translation> How names are shown in the lists of statistic calculation methods </translation>
    </message>
    <message>
        <source>Сортировать списки по названию метода</source>
        <translation>Sort the lists by method name</translation>
    </message>
    <message>
        <source>Отображать идентификатор группы { xxx } перед названием метода</source>
        <translation>Show the group identifier { xxx } before the method name</translation>
    </message>
    <message>
        <source>Отображать особенности метода [ YYY ] после названия метода</source>
        <translation>Show the method features [ YYY ] after the method name</translation>
    </message>
    <message>
        <source>Подождите пожалуйста...</source>
        <translation>Please wait...</translation>
    </message>
    <message>
        <source>всего %d методов</source>
        <translation>%d methods in all</translation>
    </message>
    <message>
        <source>Переименование</source>
        <translation>Renaming</translation>
    </message>
    <message>
        <source>Введите наименование фильтра:</source>
        <translation>Enter the filter name:</translation>
    </message>
    <message>
        <source>Наименования фильтров (*.flt)</source>
        <translation>Filter names (*.flt)</translation>
    </message>
    <message>
        <source>Названия методов записаны в файл &quot;%s&quot;.</source>
        <translation>The method names were written to the file &quot;%s&quot;.</translation>
    </message>
</context>
<context>
    <name>TFormStatDescription</name>
    <message>
        <source>Описание методики расчета</source>
        <translation>Description of the calculation method</translation>
    </message>
</context>
<context>
    <name>velmora</name>
    <message>
        <source>Не указаны коды статистик</source>
        <translation>No statistic codes given</translation>
    </message>
    <message>
        <source>Избранные статистики: все (%d)</source>
        <translation>Favourite statistics: all (%d)</translation>
    </message>
    <message>
        <source>Избранные статистики: %d из %d</source>
        <translation>Favourite statistics: %d of %d</translation>
    </message>
    <message>
        <source>Названий методов: %d</source>
        <translation>Method names: %d</translation>
    </message>
    <message>
        <source>Собственных названий методов: %d</source>
        <translation>Own method names: %d</translation>
    </message>
    <message>
        <source>Неизвестная команда favourites %s (list, set, reset, rename, export, import)</source>
        <translation>Unknown favourites command %s (list, set, reset, rename, export, import)</translation>
    </message>
</context>
</TS>
