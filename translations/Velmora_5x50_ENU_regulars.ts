<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ru_RU">
<context>
    <name>TFormTable</name>
    <message>
        <source>Добавление регулярной ставки</source>
        <translation>Add a regular stake</translation>
    </message>
    <message>
        <source>Использовать постоянную стартовую комбинацию:</source>
        <translation>Use a constant start combination:</translation>
    </message>
    <message>
        <source>Введите числа, разделенные точкой с запятой или запятой</source>
        <translation>Enter numbers separated by semicolons or commas</translation>
    </message>
    <message>
        <source>{...Выделенные комбинации...}</source>
        <translation>{...Selected combinations...}</translation>
    </message>
    <message>
        <source>Использовать данные предыдущего тиража</source>
        <translation>Use the numbers of the previous draw</translation>
    </message>
    <message>
        <source>Шаг изменения элементов комбинации</source>
        <translation>The step by which the numbers of the combination change</translation>
    </message>
    <message>
        <source>Шаг:</source>
        <translation>Step:</translation>
    </message>
</context>
<context>
    <name>TRegularsPage</name>
    <message>
        <source>Добавить регулярную ставку</source>
        <translation>Add regular stake</translation>
    </message>
    <message>
        <source>Добавить регулярную табличную ставку</source>
        <translation>Add a regular table stake</translation>
    </message>
    <message>
        <source>Удалить регулярную ставку</source>
        <translation>Delete regular stake</translation>
    </message>
    <message>
        <source>Удалить выделенные регулярные табличные ставки</source>
        <translation>Delete the selected regular table stakes</translation>
    </message>
    <message>
        <source>Сделать ставку по регуляру</source>
        <translation>Stake by regular</translation>
    </message>
    <message>
        <source>Создать ставку по выделенному регуляру</source>
        <translation>Make a stake from the selected regular</translation>
    </message>
    <message>
        <source>Тест регуляров</source>
        <translation>Test regulars</translation>
    </message>
    <message>
        <source>Тестирование регулярных ставок</source>
        <translation>Test the regular stakes</translation>
    </message>
    <message>
        <source>Вкладка &quot;Регуляры&quot;</source>
        <translation>&quot;Regulars&quot; tab</translation>
    </message>
    <message>
        <source>Скрыть / показать вкладку &quot;Регулярные ставки&quot;</source>
        <translation>Hide / show the &quot;Regular stakes&quot; tab</translation>
    </message>
    <message>
        <source>Загрузка файла регулярных ставок...</source>
        <translation>Loading the regular stakes file...</translation>
    </message>
    <message>
        <source>Сохранение файла регулярных ставок...</source>
        <translation>Saving the regular stakes file...</translation>
    </message>
    <message>
        <source>Создание регулярных ставок...</source>
        <translation>Creating regular stakes...</translation>
    </message>
    <message>
        <source>Будет создано %.0n регулярных ставок, по одной на каждую выделенную комбинацию; файл регулярных ставок вырастет примерно на %.0n МБ.<byte value="xd" /><byte value="xd" />Создать их?</source>
        <translation>%.0n regular stakes will be made, one for every selected combination; the regular stakes file will grow by about %.0n MB.<byte value="xd" /><byte value="xd" />Make them?</translation>
    </message>
    <message>
        <source>Регулярная ставка не добавлена: для постоянной стартовой комбинации выделите комбинации в списке комбинаций.</source>
        <translation>No regular stake was added: for a constant start combination select combinations in the combination list.</translation>
    </message>
    <message>
        <source>Удаление регулярных ставок...</source>
        <translation>Deleting regular stakes...</translation>
    </message>
    <message>
        <source>Создание ставок по регулярным табличным ставкам...</source>
        <translation>Making stakes from the regular stakes...</translation>
    </message>
    <message>
        <source>Тест регуляров остановлен. Сделано ставок: %d</source>
        <translation>The test of the regulars was stopped. Stakes made: %d</translation>
    </message>
</context>
<context>
    <name>TTemplateMain</name>
    <message>
        <source>Регуляры</source>
        <translation>Regulars</translation>
    </message>
</context>
<context>
    <name>std</name>
    <message>
        <source>Файл регулярных ставок &quot;%s&quot; повреждён: записи %s не прочитаны, по ним не будут делаться ставки.<byte value="xd"/>Файл останется как есть до первого изменения списка регулярных ставок.</source>
        <translation>The regular stakes file &quot;%s&quot; is damaged: records %s were not read and no stakes will be made from them.<byte value="xd"/>The file stays as it is until the list of regular stakes is changed.</translation>
    </message>
</context>
<context>
    <name>velmora</name>
    <message>
        <source>Ошибка чтения файла регулярных ставок!<byte value="xd"/><byte value="xd"/>%s</source>
        <translation>Error reading the regular stakes file!<byte value="xd"/><byte value="xd"/>%s</translation>
    </message>
    <message>
        <source>Ошибка записи в файл регулярных ставок!<byte value="xd"/><byte value="xd"/>%s</source>
        <translation>Error writing the regular stakes file!<byte value="xd"/><byte value="xd"/>%s</translation>
    </message>
    <message>
        <source>Нет тиража, числа которого берёт регулярная ставка &quot;%s&quot; (архив тиражей пуст).</source>
        <translation>There is no draw for the regular stake &quot;%s&quot; to take its numbers from (the draw archive is empty).</translation>
    </message>
    <message>
        <source>Стартовая комбинация</source>
        <translation>Start combination</translation>
    </message>
    <message>
        <source>Шаг</source>
        <translation>Step</translation>
    </message>
    <message>
        <source>Текущая комбинация</source>
        <translation>Current combination</translation>
    </message>
    <message>
        <source>Запись с таким комментарией уже присутствует в списке!<byte value="xd"/>Выберите другой комментарий.</source>
        <translation>A record with this comment is already in the list!<byte value="xd"/>Choose another comment.</translation>
    </message>
    <message>
        <source>Шаг должен быть от %d до %d!</source>
        <translation>The step must be from %d to %d!</translation>
    </message>
    <message>
        <source>Регулярная ставка</source>
        <translation>Regular stake</translation>
    </message>
</context>
<context>
    <name>velmora::cli</name>
    <message>
        <source>Некорректный номер строки регулярной ставки: %s (строк: %d)</source>
        <translation>Invalid row of a regular stake: %s (rows: %d)</translation>
    </message>
    <message>
        <source>Не указан комментарий --comment</source>
        <translation>No comment given (--comment)</translation>
    </message>
    <message>
        <source>Укажите одно из: --start &quot;a;b;c;d;e&quot;, --last-draw или --combs-rows R1,R2,...</source>
        <translation>Give one of: --start &quot;a;b;c;d;e&quot;, --last-draw or --combs-rows R1,R2,...</translation>
    </message>
    <message>
        <source>Некорректный номер строки списка комбинаций: %s (строк: %d)</source>
        <translation>Invalid row of the combination list: %s (rows: %d)</translation>
    </message>
    <message>
        <source>Не указан номер строки ROW</source>
        <translation>No row given (ROW)</translation>
    </message>
    <message>
        <source>Неизвестная команда regulars %s (list, add, delete, stake, test)</source>
        <translation>Unknown command regulars %s (list, add, delete, stake, test)</translation>
    </message>
</context>
</TS>
