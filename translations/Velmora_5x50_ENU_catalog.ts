<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ru_RU">
<context>
    <name>velmora</name>
    <message>
        <source>Скрытые</source>
        <translation>Hidden</translation>
    </message>
    <message>
        <source>Все, включая скрытые</source>
        <translation>All, including hidden</translation>
    </message>
    <message>
        <source>Все, кроме скрытых (по умолчанию)</source>
        <translation>All except hidden (default)</translation>
    </message>
    <message>
        <source>Только мои</source>
        <translation>Mine only</translation>
    </message>
    <message>
        <source>Только публичные</source>
        <translation>Public only</translation>
    </message>
    <message>
        <source>С моими оценками</source>
        <translation>Rated by me</translation>
    </message>
    <message>
        <source>Без моих оценок</source>
        <translation>Not rated by me</translation>
    </message>
    <message>
        <source>Новые (24 часа с момента публикации)</source>
        <translation>New (24 hours since publication)</translation>
    </message>
    <message>
        <source>Ошибка загрузки каталога online-сценариев!<byte value="xd" /><byte value="xd" />%s</source>
        <translation>Error loading the online script catalog!<byte value="xd" /><byte value="xd" />%s</translation>
    </message>
    <message>
        <source>Ошибка загрузки online-сценария!<byte value="xd" /><byte value="xd" />%s</source>
        <translation>Error loading the online script!<byte value="xd" /><byte value="xd" />%s</translation>
    </message>
    <message>
        <source>Ошибка проверки уникальности online-сценария!<byte value="xd" /><byte value="xd" />%s</source>
        <translation>Error checking that the online script title is unique!<byte value="xd" /><byte value="xd" />%s</translation>
    </message>
    <message>
        <source>Ошибка публикации online-сценария!<byte value="xd" /><byte value="xd" />%s</source>
        <translation>Error publishing the online script!<byte value="xd" /><byte value="xd" />%s</translation>
    </message>
    <message>
        <source>Ошибка удаления online-сценария из базы данных!<byte value="xd" /><byte value="xd" />%s</source>
        <translation>Error deleting the online script from the database!<byte value="xd" /><byte value="xd" />%s</translation>
    </message>
    <message>
        <source>Ошибка сохранения оценки online-сценария!<byte value="xd" /><byte value="xd" />%s</source>
        <translation>Error saving the rating of the online script!<byte value="xd" /><byte value="xd" />%s</translation>
    </message>
    <message>
        <source>Ошибка просмотра оценок online-сценария!<byte value="xd" /><byte value="xd" />%s</source>
        <translation>Error viewing the ratings of the online script!<byte value="xd" /><byte value="xd" />%s</translation>
    </message>
    <message>
        <source>Название сценария должно быть указано обязательно!</source>
        <translation>The script title is required!</translation>
    </message>
    <message>
        <source>Сценарий с таким названием уже существует!<byte value="xd" />Выберите другое название.</source>
        <translation>A script with this title already exists!<byte value="xd" />Choose another title.</translation>
    </message>
    <message>
        <source>Некорректная кодировка текста элемента &lt;%s&gt;</source>
        <translation>Invalid text encoding of element &lt;%s&gt;</translation>
    </message>
    <message>
        <source>Слишком длинное значение элемента &lt;%s&gt;</source>
        <translation>The value of element &lt;%s&gt; is too long</translation>
    </message>
    <message>
        <source>недопустимый символ</source>
        <translation>invalid character</translation>
    </message>
    <message>
        <source>Сервер каталога не вернул элемент &lt;%s&gt;</source>
        <translation>The catalog server did not return element &lt;%s&gt;</translation>
    </message>
    <message>
        <source>Недопустимый символ в строке %d сценария</source>
        <translation>Invalid character in line %d of the script</translation>
    </message>
    <message>
        <source>Код возврата: %d</source>
        <translation>Return code: %d</translation>
    </message>
    <message>
        <source>Сценарий #%d не содержит ни одной строки</source>
        <translation>Script #%d has no lines</translation>
    </message>
    <message>
        <source>Тип</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Название</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>Автор</source>
        <translation>Author</translation>
    </message>
    <message>
        <source>Программа</source>
        <translation>Program</translation>
    </message>
    <message>
        <source>Версия</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Язык</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>Создан</source>
        <translation>Created</translation>
    </message>
    <message>
        <source>Рейтинг</source>
        <translation>Rating</translation>
    </message>
    <message>
        <source>Оценок</source>
        <translation>Ratings</translation>
    </message>
    <message>
        <source>Ваша оценка</source>
        <translation>Your rating</translation>
    </message>
    <message>
        <source>Загрузок</source>
        <translation>Downloads</translation>
    </message>
    <message>
        <source>Последняя</source>
        <translation>Last</translation>
    </message>
    <message>
        <source>Комментарии</source>
        <translation>Comments</translation>
    </message>
    <message>
        <source>Скрытый</source>
        <translation>Hidden</translation>
    </message>
    <message>
        <source>Мой</source>
        <translation>Mine</translation>
    </message>
    <message>
        <source>Общий</source>
        <translation>Shared</translation>
    </message>
    <message>
        <source>Универсальный</source>
        <translation>Universal</translation>
    </message>
    <message>
        <source>Некорректный номер сценария: %s</source>
        <translation>Invalid script number: %s</translation>
    </message>
    <message>
        <source>Сценарий #%d не найден в каталоге</source>
        <translation>Script #%d is not in the catalog</translation>
    </message>
    <message>
        <source>Сценарий #%d можно изменять и удалять только автору и только в программе, в которой он создан</source>
        <translation>Only the author can change or delete script #%d, and only in the program it was made with</translation>
    </message>
    <message>
        <source>Текущий сценарий пуст</source>
        <translation>The current script is empty</translation>
    </message>
    <message>
        <source>Фильтр списка должен быть числом от %d до %d</source>
        <translation>The list filter must be a number from %d to %d</translation>
    </message>
    <message>
        <source>Сценарий создан в другой программе и не является универсальным</source>
        <translation>The script was made with another program and is not universal</translation>
    </message>
    <message>
        <source>Оценка должна быть числом от 0 до 5: %s</source>
        <translation>The rating must be a number from 0 to 5: %s</translation>
    </message>
    <message>
        <source>Неизвестная команда scripts-catalog %s (list, download, publish, replace, delete, rate, hide, rates)</source>
        <translation>Unknown command scripts-catalog %s (list, download, publish, replace, delete, rate, hide, rates)</translation>
    </message>
</context>
</TS>
