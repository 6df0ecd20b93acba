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
<context>
    <name>TScriptLibrary</name>
    <message>
        <source>Online каталог сценариев</source>
        <translation>Online script catalog</translation>
    </message>
    <message>
        <source>Показать или скрыть online каталог сценариев</source>
        <translation>Show or hide the online script catalog</translation>
    </message>
    <message>
        <source>Обновить</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>Обновить список сценариев</source>
        <translation>Refresh the list of scripts</translation>
    </message>
    <message>
        <source>Скачать из каталога</source>
        <translation>Download from the catalog</translation>
    </message>
    <message>
        <source>Скачать</source>
        <translation>Download</translation>
    </message>
    <message>
        <source>Заменить текущий сценарий выбранным сценарием из каталога</source>
        <translation>Replace the current script by the selected script of the catalog</translation>
    </message>
    <message>
        <source>Опубликовать</source>
        <translation>Publish</translation>
    </message>
    <message>
        <source>Опубликовать текущий сценарий в каталоге</source>
        <translation>Publish the current script in the catalog</translation>
    </message>
    <message>
        <source>Изменить</source>
        <translation>Change</translation>
    </message>
    <message>
        <source>Заменить опубликованный сценарий текущим сценарием</source>
        <translation>Replace the published script by the current script</translation>
    </message>
    <message>
        <source>Удалить</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Удалить свой сценарий из каталога</source>
        <translation>Delete your script from the catalog</translation>
    </message>
    <message>
        <source>Свойства сценария</source>
        <translation>Script properties</translation>
    </message>
    <message>
        <source>Просмотр свойств сценария</source>
        <translation>View the properties of the script</translation>
    </message>
    <message>
        <source>Просмотр оценок</source>
        <translation>View ratings</translation>
    </message>
    <message>
        <source>Оценки сценария другими пользователями</source>
        <translation>Ratings of the script by other users</translation>
    </message>
    <message>
        <source>Удалить оценку</source>
        <translation>Delete rating</translation>
    </message>
    <message>
        <source>Удалить свою оценку сценария</source>
        <translation>Delete your rating of the script</translation>
    </message>
    <message>
        <source>[ 1 ] - Бесполезно</source>
        <translation>[ 1 ] - Useless</translation>
    </message>
    <message>
        <source>[ 2 ] - Плохо</source>
        <translation>[ 2 ] - Poor</translation>
    </message>
    <message>
        <source>[ 3 ] - Удовлетворительно</source>
        <translation>[ 3 ] - Fair</translation>
    </message>
    <message>
        <source>[ 4 ] - Хорошо</source>
        <translation>[ 4 ] - Good</translation>
    </message>
    <message>
        <source>[ 5 ] - Отлично</source>
        <translation>[ 5 ] - Excellent</translation>
    </message>
    <message>
        <source>Оценить сценарий</source>
        <translation>Rate the script</translation>
    </message>
    <message>
        <source>Скрыть сценарий</source>
        <translation>Hide script</translation>
    </message>
    <message>
        <source>Скрыть сценарий из своего списка</source>
        <translation>Hide the script from your list</translation>
    </message>
    <message>
        <source>Фильтр сценариев</source>
        <translation>Script filter</translation>
    </message>
    <message>
        <source>Загрузка online-каталога сценариев...</source>
        <translation>Loading the online script catalog...</translation>
    </message>
    <message>
        <source>Не указаны имя и адрес электронной почты пользователя</source>
        <translation>The user's name and e-mail address are not set</translation>
    </message>
    <message>
        <source>Проверка названия сценария...</source>
        <translation>Checking the script title...</translation>
    </message>
    <message>
        <source>Сохранение сценария в базе данных...</source>
        <translation>Saving the script in the database...</translation>
    </message>
    <message>
        <source>Отправка оценки на сервер...</source>
        <translation>Sending the rating to the server...</translation>
    </message>
    <message>
        <source>Комментарий</source>
        <translation>Comment</translation>
    </message>
    <message>
        <source>Вы можете оставить свой комментарий:</source>
        <translation>You may leave a comment:</translation>
    </message>
    <message>
        <source>Скачивание сценария из online-каталога...</source>
        <translation>Downloading the script from the online catalog...</translation>
    </message>
    <message>
        <source>Вы действительно хотите удалить сценарий &quot;%s&quot;?</source>
        <translation>Do you really want to delete the script &quot;%s&quot;?</translation>
    </message>
    <message>
        <source>Удаление сценария из базы данных...</source>
        <translation>Deleting the script from the database...</translation>
    </message>
    <message>
        <source>Загрузка списка оценок...</source>
        <translation>Loading the list of ratings...</translation>
    </message>
</context>
<context>
    <name>TFormScrPublic</name>
    <message>
        <source>Свойства сценария</source>
        <translation>Script properties</translation>
    </message>
    <message>
        <source>Название сценария</source>
        <translation>Title of the script</translation>
    </message>
    <message>
        <source>Автор сценария</source>
        <translation>Author of the script</translation>
    </message>
    <message>
        <source>Язык сценария</source>
        <translation>Language of the script</translation>
    </message>
    <message>
        <source> Применяемость </source>
        <translation> Applicability </translation>
    </message>
    <message>
        <source>В каком приложении можно использовать данный сценарий</source>
        <translation>In which application this script can be used</translation>
    </message>
    <message>
        <source>Только в &quot;%s&quot;</source>
        <translation>Only in &quot;%s&quot;</translation>
    </message>
    <message>
        <source>В любом приложении Numora</source>
        <translation>In any Numora application</translation>
    </message>
    <message>
        <source> Доступность </source>
        <translation> Availability </translation>
    </message>
    <message>
        <source>Разрешаете ли Вы использовать данный сценарий другим членам сообщества</source>
        <translation>Whether you allow other members of the community to use this script</translation>
    </message>
    <message>
        <source>Сценарий виден всем пользователям</source>
        <translation>The script is visible to all users</translation>
    </message>
    <message>
        <source>Сценарий виден только мне</source>
        <translation>The script is visible to me only</translation>
    </message>
    <message>
        <source>Название:</source>
        <translation>Title:</translation>
    </message>
    <message>
        <source>Автор:</source>
        <translation>Author:</translation>
    </message>
    <message>
        <source>Язык:</source>
        <translation>Language:</translation>
    </message>
    <message>
        <source>Отправить сценарий на сервер</source>
        <translation>Send the script to the server</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Описание:</source>
        <translation>Description:</translation>
    </message>
    <message>
        <source>Закрыть окно</source>
        <translation>Close the window</translation>
    </message>
</context>
<context>
    <name>TFormScrRates</name>
    <message>
        <source>Оценки пользователей</source>
        <translation>User ratings</translation>
    </message>
    <message>
        <source>Имя</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Оценка</source>
        <translation>Rating</translation>
    </message>
    <message>
        <source>Дата</source>
        <translation>Date</translation>
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
        <source>Комментарии</source>
        <translation>Comments</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
</context>
</TS>
