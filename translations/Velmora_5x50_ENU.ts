<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ru_RU">
<context>
    <name>Messages</name>
    <message>
        <source>Да</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>Нет</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Информация</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Внимание!</source>
        <translation>Attention!</translation>
    </message>
    <message>
        <source>Подтверждение</source>
        <translation>Confirmation</translation>
    </message>
    <message>
        <source>Предупреждение</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Удалить выделенную запись?</source>
        <translation>Delete the selected record?</translation>
    </message>
    <message>
        <source>Удалить все выделенные записи (всего будет удалено %d записи(ей))?</source>
        <translation>Delete all selected records (%d record(s) will be deleted)?</translation>
    </message>
</context>
<context>
    <name>QDialog</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Использовать значения в %</source>
        <translation>Use values in %</translation>
    </message>
    <message>
        <source>Использовать абсолютные значения</source>
        <translation>Use absolute values</translation>
    </message>
    <message>
        <source>Книги Microsoft Excel (*.xlsx)</source>
        <translation>Microsoft Excel workbooks (*.xlsx)</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Экспорт завершен, файл записан:<byte value="xd" />%s</source>
        <translation>Export finished, the file was written:<byte value="xd" />%s</translation>
    </message>
    <message>
        <source>На этом компьютере нет приложения для открытия файлов .xlsx: откройте файл в программе электронных таблиц.</source>
        <translation>No application on this computer opens .xlsx files: open the file in a spreadsheet program.</translation>
    </message>
    <message>
        <source>Информация</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Открыть файл</source>
        <translation>Open file</translation>
    </message>
    <message>
        <source>Открыть папку</source>
        <translation>Open folder</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Количество:</source>
        <translation>Count:</translation>
    </message>
    <message>
        <source>Отклонение:</source>
        <translation>Deviation:</translation>
    </message>
    <message>
        <source>Глубина:</source>
        <translation>Depth:</translation>
    </message>
</context>
<context>
    <name>TAtomicFileTarget</name>
    <message>
        <source>Не удается создать файл</source>
        <translation>Cannot create the file</translation>
    </message>
    <message>
        <source>Ошибка записи в файл</source>
        <translation>Error writing the file</translation>
    </message>
    <message>
        <source>Не удается заменить файл</source>
        <translation>Cannot replace the file</translation>
    </message>
</context>
<context>
    <name>TCombSet</name>
    <message>
        <source>№ п.п.</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>Комбинаций: %d</source>
        <translation>Combinations: %d</translation>
    </message>
    <message>
        <source>Некорректный режим генерации списка комбинаций: %d</source>
        <translation>Invalid mode of generating the combination list: %d</translation>
    </message>
    <message>
        <source>Генерация возможных комбинаций...</source>
        <translation>Generating the possible combinations...</translation>
    </message>
    <message>
        <source>Ошибка генерации файла комбинаций!<byte value="xd" /><byte value="xd" />%s</source>
        <translation>Error generating the combination file!<byte value="xd" /><byte value="xd" />%s</translation>
    </message>
    <message>
        <source>Создание файла отката...</source>
        <translation>Saving the undo copy...</translation>
    </message>
    <message>
        <source>Отмена изменений...</source>
        <translation>Undoing the changes...</translation>
    </message>
    <message>
        <source>Создание буфера комбинаций...</source>
        <translation>Creating the combination buffer...</translation>
    </message>
    <message>
        <source>Ошибка создания буфера комбинаций!<byte value="xd" /><byte value="xd" />%s</source>
        <translation>Error creating the combination buffer!<byte value="xd" /><byte value="xd" />%s</translation>
    </message>
    <message>
        <source>Загрузка буфера комбинаций...</source>
        <translation>Loading the combination buffer...</translation>
    </message>
    <message>
        <source>Удаление выделенных комбинаций...</source>
        <translation>Deleting the selected combinations...</translation>
    </message>
    <message>
        <source>Выделенные комбинации</source>
        <translation>Selected combinations</translation>
    </message>
    <message>
        <source>Подождите пожалуйста...</source>
        <translation>Please wait...</translation>
    </message>
    <message>
        <source>Ошибка чтения файла "%s"!<byte value="xd" /><byte value="xd" />%s</source>
        <translation>Error reading the file "%s"!<byte value="xd" /><byte value="xd" />%s</translation>
    </message>
    <message>
        <source>Нельзя сохранить комбинации в файл данных программы "%s"!</source>
        <translation>Combinations cannot be saved to the program's data file "%s"!</translation>
    </message>
    <message>
        <source>Сохранение файла "%s"...</source>
        <translation>Saving the file "%s"...</translation>
    </message>
    <message>
        <source>Ошибка записи в файл "%s"!<byte value="xd" /><byte value="xd" />%s</source>
        <translation>Error writing the file "%s"!<byte value="xd" /><byte value="xd" />%s</translation>
    </message>
    <message>
        <source>Загрузка файла "%s"...</source>
        <translation>Loading the file "%s"...</translation>
    </message>
    <message>
        <source>Отмена последней операции</source>
        <translation>Undo of the last operation</translation>
    </message>
</context>
<context>
    <name>TCombsPage</name>
    <message>
        <source>Сведения о комбинации</source>
        <translation>Combination details</translation>
    </message>
    <message>
        <source>Количество уникальных номеров</source>
        <translation>Number of unique numbers</translation>
    </message>
    <message>
        <source>Проверить по архиву тиражей</source>
        <translation>Check against the draw archive</translation>
    </message>
    <message>
        <source>Генерировать</source>
        <translation>Generate</translation>
    </message>
    <message>
        <source>Создание нового списка комбинаций</source>
        <translation>Create a new combination list</translation>
    </message>
    <message>
        <source>Исключить тиражи</source>
        <translation>Exclude draws</translation>
    </message>
    <message>
        <source>Исключить указанное количество последних тиражей из списка комбинаций</source>
        <translation>Remove the given number of latest draws from the combination list</translation>
    </message>
    <message>
        <source>Удалить выделенные</source>
        <translation>Delete selected</translation>
    </message>
    <message>
        <source>Копировать в буфер</source>
        <translation>Copy to clipboard</translation>
    </message>
    <message>
        <source>Вставить из буфера</source>
        <translation>Paste from clipboard</translation>
    </message>
    <message>
        <source>Выделить все</source>
        <translation>Select all</translation>
    </message>
    <message>
        <source>Открыть</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Сохранить</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Экспорт в Microsoft Excel</source>
        <translation>Export to Microsoft Excel</translation>
    </message>
    <message>
        <source>Экспорт списка комбинаций в Microsoft Excel</source>
        <translation>Export the combination list to Microsoft Excel</translation>
    </message>
    <message>
        <source>Отменить</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Выделять каналы в списке комбинаций</source>
        <translation>Highlight channels in the combination list</translation>
    </message>
    <message>
        <source>Новый</source>
        <translation>New</translation>
    </message>
    <message>
        <source>[-] Тиражи</source>
        <translation>[-] Draws</translation>
    </message>
    <message>
        <source>№ п.п.</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>Комбинаций</source>
        <translation>Combinations</translation>
    </message>
    <message>
        <source>Комбинации</source>
        <translation>Combinations</translation>
    </message>
</context>
<context>
    <name>TDrawsArchive</name>
    <message>
        <source>Ошибка чтения файла тиражей!<byte value="xd" /><byte value="xd" />%s</source>
        <translation>Error reading the draws file!<byte value="xd" /><byte value="xd" />%s</translation>
    </message>
    <message>
        <source>Размер файла "%s" (%d байт) не кратен размеру записи (%d байта)</source>
        <translation>The size of the file "%s" (%d bytes) is not a multiple of the record size (%d bytes)</translation>
    </message>
    <message>
        <source>Ошибка записи в файл тиражей!<byte value="xd" /><byte value="xd" />%s</source>
        <translation>Error writing the draws file!<byte value="xd" /><byte value="xd" />%s</translation>
    </message>
    <message>
        <source>Запись со индексом %d в файле данных не найдена!</source>
        <translation>The record with index %d was not found in the data file!</translation>
    </message>
    <message>
        <source>Архив тиражей: %d</source>
        <translation>Draw archive: %d</translation>
    </message>
    <message>
        <source>Следующий тираж: %d</source>
        <translation>Next draw: %d</translation>
    </message>
</context>
<context>
    <name>TDrawsDownloadCommands</name>
    <message>
        <source>Загрузка</source>
        <translation>Download</translation>
    </message>
    <message>
        <source>Загрузка архива тиражей с сайта лотереи</source>
        <translation>Download the draw archive from the lottery website</translation>
    </message>
    <message>
        <source>По запросу (по умолчанию)</source>
        <translation>On request (default)</translation>
    </message>
    <message>
        <source>Автоматически</source>
        <translation>Automatically</translation>
    </message>
    <message>
        <source>Отключено</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>Спросить пользователя</source>
        <translation>Ask the user</translation>
    </message>
    <message>
        <source>Автоматическая загрузка тиражей при запуске программы</source>
        <translation>Download draws automatically when the program starts</translation>
    </message>
    <message>
        <source>Без автоматической загрузки при запуске программы</source>
        <translation>Do not download draws when the program starts</translation>
    </message>
    <message>
        <source>Параметры proxy-сервера</source>
        <translation>Proxy server settings</translation>
    </message>
    <message>
        <source>Автозагрузка при запуске программы</source>
        <translation>Download at program start</translation>
    </message>
    <message>
        <source>Укажите адрес сайта в окне "Параметры системы" (меню "Файл" -&gt; "Параметры") на странице "Сеть", поле "Сайт результатов тиражей".</source>
        <translation>Enter the website address in the "System settings" window (menu "File" -&gt; "Settings"), page "Network", field "Draw results website".</translation>
    </message>
    <message>
        <source>Загрузка архива тиражей...</source>
        <translation>Downloading the draw archive...</translation>
    </message>
    <message>
        <source>Ошибка загрузки архива тиражей с сайта: "%s"</source>
        <translation>Error downloading the draw archive from the website: "%s"</translation>
    </message>
    <message>
        <source>за %d год</source>
        <translation>for %d</translation>
    </message>
    <message>
        <source>за %d-%d годы</source>
        <translation>for %d-%d</translation>
    </message>
    <message>
        <source>Новых тиражей нет (просмотрены результаты %s).</source>
        <translation>No new draws (results %s checked).</translation>
    </message>
    <message>
        <source>Обновить список тиражей?<byte value="xd" /><byte value="xd" />Для выполнения обновления необходимо действующее подключение к сети Интернет.</source>
        <translation>Update the draw list?<byte value="xd" /><byte value="xd" />An active Internet connection is needed for the update.</translation>
    </message>
    <message>
        <source>Сохранение файла конфигурации...</source>
        <translation>Saving the settings file...</translation>
    </message>
    <message>
        <source>Ошибка записи в файл конфигурации!<byte value="xd" /><byte value="xd" />%s</source>
        <translation>Error writing the settings file!<byte value="xd" /><byte value="xd" />%s</translation>
    </message>
</context>
<context>
    <name>TDrawsDownloader</name>
    <message>
        <source>Ошибка загрузки архива тиражей с сайта: "%s"<byte value="xd" /><byte value="xd" />Повторить попытку?</source>
        <translation>Error downloading the draw archive from the website: "%s"<byte value="xd" /><byte value="xd" />Try again?</translation>
    </message>
    <message>
        <source>Загрузка тиражей за %d год...</source>
        <translation>Downloading the draws of %d...</translation>
    </message>
    <message>
        <source>Тиражи за %d год: пропущено строк страницы, не являющихся тиражами: %d (%s)</source>
        <translation>Draws of %d: page rows skipped that are not draws: %d (%s)</translation>
    </message>
    <message>
        <source>Сохранение файла тиражей...</source>
        <translation>Saving the draws file...</translation>
    </message>
    <message>
        <source>Ошибка получения списка proxy-серверов!<byte value="xd" /><byte value="xd" />%s</source>
        <translation>Error getting the list of proxy servers!<byte value="xd" /><byte value="xd" />%s</translation>
    </message>
    <message>
        <source>Не удалось подобрать proxy-сервер: %s</source>
        <translation>No proxy server could be chosen: %s</translation>
    </message>
    <message>
        <source>'%s' - неверный адрес proxy-сервера</source>
        <translation>'%s' is not a valid proxy server address</translation>
    </message>
    <message>
        <source>Ошибка автоматического выбора proxy сервера!<byte value="xd" /><byte value="xd" />%s</source>
        <translation>Error choosing a proxy server automatically!<byte value="xd" /><byte value="xd" />%s</translation>
    </message>
    <message>
        <source>Попытка %d, proxy %s : %d</source>
        <translation>Attempt %d, proxy %s : %d</translation>
    </message>
    <message>
        <source><byte value="xd" /><byte value="xd" />Поиск proxy-серверов</source>
        <translation><byte value="xd" /><byte value="xd" />Looking for proxy servers</translation>
    </message>
    <message>
        <source>Не найдено ни одного proxy-сервера с заданными параметрами</source>
        <translation>No proxy server with the given settings was found</translation>
    </message>
</context>
<context>
    <name>TDrawsPage</name>
    <message>
        <source>Сведения о тираже</source>
        <translation>Draw details</translation>
    </message>
    <message>
        <source>Импорт из CSV-файла</source>
        <translation>Import from CSV file</translation>
    </message>
    <message>
        <source>Импорт списка тиражей из CSV-файла</source>
        <translation>Import the draw list from a CSV file</translation>
    </message>
    <message>
        <source>Экспорт в CSV-файл</source>
        <translation>Export to CSV file</translation>
    </message>
    <message>
        <source>Экспорт списка тиражей в CSV-файл</source>
        <translation>Export the draw list to a CSV file</translation>
    </message>
    <message>
        <source>Экспорт в Microsoft Excel</source>
        <translation>Export to Microsoft Excel</translation>
    </message>
    <message>
        <source>Экспорт списка тиражей в Microsoft Excel</source>
        <translation>Export the draw list to Microsoft Excel</translation>
    </message>
    <message>
        <source>Добавить</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>Изменить</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Удалить</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Упорядочить MIN-&gt;MAX</source>
        <translation>Sort MIN-&gt;MAX</translation>
    </message>
    <message>
        <source>Выделять каналы в списке тиражей</source>
        <translation>Highlight channels in the draw list</translation>
    </message>
    <message>
        <source>Смещение назад:</source>
        <translation>Offset back:</translation>
    </message>
    <message>
        <source>Смещение относительно последнего загруженного номера тиража</source>
        <translation>Offset from the latest loaded draw</translation>
    </message>
    <message>
        <source>Файлы тиражей (*.csv)</source>
        <translation>Draw files (*.csv)</translation>
    </message>
    <message>
        <source>Импорт тиражей из файла "%s"...</source>
        <translation>Importing draws from the file "%s"...</translation>
    </message>
    <message>
        <source>Добавлено тиражей: %d.<byte value="xd" /><byte value="xd" />Из них с некорректными полями: %d (такие поля записаны как 0). Проверьте эти тиражи в архиве.</source>
        <translation>Draws added: %d.<byte value="xd" /><byte value="xd" />With invalid fields: %d (such fields were written as 0). Check these draws in the archive.</translation>
    </message>
    <message>
        <source>Экспорт тиражей в файл "%s"...</source>
        <translation>Exporting draws to the file "%s"...</translation>
    </message>
    <message>
        <source>Архив тиражей</source>
        <translation>Draw archive</translation>
    </message>
    <message>
        <source>Введите данные следующего тиража</source>
        <translation>Enter the data of the next draw</translation>
    </message>
    <message>
        <source>Удаление выделенных тиражей....</source>
        <translation>Deleting the selected draws....</translation>
    </message>
</context>
<context>
    <name>TDrawsStatPage</name>
    <message>
        <source>Обновить</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>Использовать сравнение с полным набором комбинаций</source>
        <translation>Compare with the full set of combinations</translation>
    </message>
    <message>
        <source>График идеального распределения</source>
        <translation>Ideal distribution chart</translation>
    </message>
    <message>
        <source>Экспорт статистики в Microsoft Excel</source>
        <translation>Export statistics to Microsoft Excel</translation>
    </message>
    <message>
        <source>Вид расчета статистики</source>
        <translation>Statistic calculation mode</translation>
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
        <source>Все возможные комбинации</source>
        <translation>All possible combinations</translation>
    </message>
    <message>
        <source>Фактические данные</source>
        <translation>Actual data</translation>
    </message>
    <message>
        <source>Создание графиков...</source>
        <translation>Building charts...</translation>
    </message>
    <message>
        <source>Статистика</source>
        <translation>Statistics</translation>
    </message>
    <message>
        <source>Оставить выделенные</source>
        <translation>Keep selected</translation>
    </message>
    <message>
        <source>Удалить выделенные</source>
        <translation>Delete selected</translation>
    </message>
</context>
<context>
    <name>TFilterVariants</name>
    <message>
        <source>Некорректное описание фильтра: %s!</source>
        <translation>Invalid filter description: %s!</translation>
    </message>
    <message>
        <source>Количество вариантов превышает %d.</source>
        <translation>The number of variants exceeds %d.</translation>
    </message>
</context>
<context>
    <name>TFiltersModel</name>
    <message>
        <source>Примененные фильтры</source>
        <translation>Applied filters</translation>
    </message>
    <message>
        <source>Значения</source>
        <translation>Values</translation>
    </message>
    <message>
        <source>Комбинаций</source>
        <translation>Combinations</translation>
    </message>
</context>
<context>
    <name>TFormConfig</name>
    <message>
        <source>Параметры системы</source>
        <translation>System settings</translation>
    </message>
    <message>
        <source>Размер матрицы:</source>
        <translation>Matrix size:</translation>
    </message>
    <message>
        <source>Количество столбцов</source>
        <translation>Number of columns</translation>
    </message>
    <message>
        <source>Количество строк</source>
        <translation>Number of rows</translation>
    </message>
    <message>
        <source>Размер канала:</source>
        <translation>Channel size:</translation>
    </message>
    <message>
        <source>Ширина канала</source>
        <translation>Channel width</translation>
    </message>
    <message>
        <source>Стоимость ставки:</source>
        <translation>Stake price:</translation>
    </message>
    <message>
        <source>Стоимость одной ставки</source>
        <translation>Price of one stake</translation>
    </message>
    <message>
        <source>Сегменты матрицы:</source>
        <translation>Matrix segments:</translation>
    </message>
    <message>
        <source>Размеры выигрышей:</source>
        <translation>Prize amounts:</translation>
    </message>
    <message>
        <source>Совпадений</source>
        <translation>Matches</translation>
    </message>
    <message>
        <source>Сумма выигрыша</source>
        <translation>Prize amount</translation>
    </message>
    <message>
        <source> Коэффициенты для поля "Вес" </source>
        <translation> Coefficients of the "Weight" field </translation>
    </message>
    <message>
        <source>Пользователь</source>
        <translation>User</translation>
    </message>
    <message>
        <source>Ваше имя: автор систем, которые Вы публикуете в каталоге</source>
        <translation>Your name: the author of the systems you publish in the catalog</translation>
    </message>
    <message>
        <source>Адрес электронной почты: по нему каталог узнаёт Ваши системы</source>
        <translation>E-mail address: the catalog recognises your systems by it</translation>
    </message>
    <message>
        <source>Имя:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>E-mail:</source>
        <translation>E-mail:</translation>
    </message>
    <message>
        <source>Некорректное значение: %s!<byte value="xd" /><byte value="xd" />Укажите любое число от 1 до 9</source>
        <translation>Invalid value: %s!<byte value="xd" /><byte value="xd" />Enter any number from 1 to 9</translation>
    </message>
    <message>
        <source>Основные</source>
        <translation>General</translation>
    </message>
    <message>
        <source>Сеть</source>
        <translation>Network</translation>
    </message>
    <message>
        <source>Адрес сайта лотереи, с которого загружаются результаты тиражей (https://...); страница года: адрес + /velmora/arhiv-rezultatov/&lt;год&gt;</source>
        <translation>Address of the lottery website the draw results are downloaded from (https://...); the page of a year: address + /velmora/arhiv-rezultatov/&lt;year&gt;</translation>
    </message>
    <message>
        <source>Адрес сервера каталога сценариев и систем (https://...)</source>
        <translation>Address of the catalog server of scripts and systems (https://...)</translation>
    </message>
    <message>
        <source>Адрес сервера обновлений программы (https://...)</source>
        <translation>Address of the program update server (https://...)</translation>
    </message>
    <message>
        <source>Файл PEM с сертификатами центров сертификации, которым доверять кроме системных (для своего сервера); пусто: только системные</source>
        <translation>PEM file with the certificates of the certificate authorities to trust besides the system ones (for a server of your own); empty: the system ones only</translation>
    </message>
    <message>
        <source>Выбрать файл сертификатов</source>
        <translation>Choose the certificate file</translation>
    </message>
    <message>
        <source>Файл сертификатов</source>
        <translation>Certificate file</translation>
    </message>
    <message>
        <source>Сертификаты (*.pem *.crt)</source>
        <translation>Certificates (*.pem *.crt)</translation>
    </message>
    <message>
        <source>Все файлы (*)</source>
        <translation>All files (*)</translation>
    </message>
    <message>
        <source> с</source>
        <translation> s</translation>
    </message>
    <message>
        <source>Самое большое время одного запроса целиком, в секундах</source>
        <translation>The longest time one whole request may take, in seconds</translation>
    </message>
    <message>
        <source>Сайт результатов тиражей:</source>
        <translation>Draw results website:</translation>
    </message>
    <message>
        <source>Сервер каталога:</source>
        <translation>Catalog server:</translation>
    </message>
    <message>
        <source>Сервер обновлений:</source>
        <translation>Update server:</translation>
    </message>
    <message>
        <source>Дополнительные сертификаты:</source>
        <translation>Additional certificates:</translation>
    </message>
    <message>
        <source>Предельное время запроса:</source>
        <translation>Request time limit:</translation>
    </message>
    <message>
        <source>Пустое поле адреса означает адрес по умолчанию. Пока адрес сайта результатов не указан, загрузка тиражей невозможна.</source>
        <translation>An empty address field means the default address. Draws cannot be downloaded until the results website address is set.</translation>
    </message>
</context>
<context>
    <name>TFormDraw</name>
    <message>
        <source>Данные тиража</source>
        <translation>Draw data</translation>
    </message>
    <message>
        <source>Номер тиража:</source>
        <translation>Draw number:</translation>
    </message>
    <message>
        <source>Номер тиража</source>
        <translation>Draw number</translation>
    </message>
    <message>
        <source>Выпавшие числа, разделенные пробелом, запятой или точкой с запятой:</source>
        <translation>Drawn numbers, separated by spaces, commas or semicolons:</translation>
    </message>
    <message>
        <source>Дата и время тиража:</source>
        <translation>Draw date and time:</translation>
    </message>
</context>
<context>
    <name>TFormDrawInfo</name>
    <message>
        <source>Подробная информация</source>
        <translation>Details</translation>
    </message>
    <message>
        <source>Количество столбцов:</source>
        <translation>Number of columns:</translation>
    </message>
    <message>
        <source>Свойство</source>
        <translation>Property</translation>
    </message>
    <message>
        <source>Значение</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Номер тиража:</source>
        <translation>Draw number:</translation>
    </message>
    <message>
        <source>Дата тиража:</source>
        <translation>Draw date:</translation>
    </message>
</context>
<context>
    <name>TFormFilter</name>
    <message>
        <source>Фильтр</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>Тип фильтра:</source>
        <translation>Filter type:</translation>
    </message>
    <message>
        <source>Количество тиражей для расчета статистики<byte value="xd" />
<byte value="xd" />
Допустимые форматы:<byte value="xd" />
1 - одно значение<byte value="xd" />
1, 2, 3 - список значений через запятую<byte value="xd" />
1-10;2 - нижняя и верхняя граница диапазона; шаг изменения</source>
        <translation>Number of draws used to calculate the statistic<byte value="xd" />
<byte value="xd" />
Accepted forms:<byte value="xd" />
1 - one value<byte value="xd" />
1, 2, 3 - a list of values separated by commas<byte value="xd" />
1-10;2 - lower and upper bound of a range; step</translation>
    </message>
    <message>
        <source>Количество тиражей:</source>
        <translation>Number of draws:</translation>
    </message>
    <message>
        <source>Сортировать по столбцу:</source>
        <translation>Sort by column:</translation>
    </message>
    <message>
        <source>Сверху-вниз</source>
        <translation>Top down</translation>
    </message>
    <message>
        <source>Снизу-вверх</source>
        <translation>Bottom up</translation>
    </message>
    <message>
        <source>Направление:</source>
        <translation>Direction:</translation>
    </message>
    <message>
        <source>Удалить выделенные</source>
        <translation>Delete selected</translation>
    </message>
    <message>
        <source>Оставить выделенные</source>
        <translation>Keep selected</translation>
    </message>
    <message>
        <source>Режим фильтра:</source>
        <translation>Filter mode:</translation>
    </message>
    <message>
        <source>Использовать режим одновременного выделения нескольких значений в списке</source>
        <translation>Select several values of the list at once</translation>
    </message>
    <message>
        <source>Режим выделения значений в списке статистики:</source>
        <translation>How values are selected in the statistic list:</translation>
    </message>
    <message>
        <source>Значения:</source>
        <translation>Values:</translation>
    </message>
    <message>
        <source> Коэффициенты для расчета значений "Вес" </source>
        <translation> Coefficients for the "Weight" values </translation>
    </message>
    <message>
        <source>Использовать приведенные ниже коэффициенты для расчета значений "Вес"</source>
        <translation>Use the coefficients below to calculate the "Weight" values</translation>
    </message>
    <message>
        <source>Остановка по:</source>
        <translation>Stop at:</translation>
    </message>
    <message>
        <source>Значение:</source>
        <translation>Value:</translation>
    </message>
</context>
<context>
    <name>TFormFirstRun</name>
    <message>
        <source>Справочная информация</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Если Вы запускаете программу в первый раз, рекомендуем Вам ознакомиться со справочной информацией:</source>
        <translation>If you are running the program for the first time, we recommend reading the help:</translation>
    </message>
    <message>
        <source>Открыть файл встроенной справочной системы</source>
        <translation>Open the built-in help file</translation>
    </message>
    <message>
        <source>Полезные ресурсы, включая видеоруководства и новости проекта:</source>
        <translation>Useful resources, including video guides and project news:</translation>
    </message>
    <message>
        <source>Больше не показывать данный диалог</source>
        <translation>Do not show this dialog again</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>TFormGenCombs</name>
    <message>
        <source>Создание нового списка комбинаций</source>
        <translation>Create a new combination list</translation>
    </message>
    <message>
        <source>Режим генерации списка комбинаций:</source>
        <translation>How the combination list is generated:</translation>
    </message>
    <message>
        <source>Мои числа или имя файла для загрузки:</source>
        <translation>My numbers or the file name to load:</translation>
    </message>
    <message>
        <source>Список "моих чисел" через точку с запятой или имя файла для режима "Загрузка из файла"</source>
        <translation>A list of "my numbers" separated by semicolons, or the file name for the mode "Load from file"</translation>
    </message>
    <message>
        <source>Сохранить эти параметры для генерации комбинаций "по умолчанию"</source>
        <translation>Save these settings as the default for generating combinations</translation>
    </message>
    <message>
        <source>Открыть</source>
        <translation>Open</translation>
    </message>
</context>
<context>
    <name>TFormGraph</name>
    <message>
        <source>График</source>
        <translation>Chart</translation>
    </message>
    <message>
        <source>Отображать метки на графиках</source>
        <translation>Show labels on charts</translation>
    </message>
</context>
<context>
    <name>TFormMain</name>
    <message>
        <source>Тираж</source>
        <translation>Draw</translation>
    </message>
    <message>
        <source>Дата тиража</source>
        <translation>Draw date</translation>
    </message>
</context>
<context>
    <name>TFormMulti</name>
    <message>
        <source>Добавление мультиставки</source>
        <translation>Add a multi-stake</translation>
    </message>
    <message>
        <source>Номер тиража</source>
        <translation>Draw number</translation>
    </message>
    <message>
        <source>Номер тиража:</source>
        <translation>Draw number:</translation>
    </message>
    <message>
        <source>Комментарий к ставке:</source>
        <translation>Stake comment:</translation>
    </message>
    <message>
        <source>Кол-во тиражей:</source>
        <translation>Draws:</translation>
    </message>
</context>
<context>
    <name>TFormProxy</name>
    <message>
        <source>Параметры proxy-сервера</source>
        <translation>Proxy server settings</translation>
    </message>
    <message>
        <source>Не использовать proxy-сервер</source>
        <translation>Do not use a proxy server</translation>
    </message>
    <message>
        <source>Автоматический поиск сервера (возможны задержки)</source>
        <translation>Find the server automatically (may be slow)</translation>
    </message>
    <message>
        <source>Ручной выбор proxy-сервера:</source>
        <translation>Use this proxy server:</translation>
    </message>
    <message>
        <source>Имя пользователя (не обязательно)</source>
        <translation>User name (optional)</translation>
    </message>
    <message>
        <source>Пароль (не обязательно)</source>
        <translation>Password (optional)</translation>
    </message>
    <message>
        <source>Имя или адрес сервера:</source>
        <translation>Server name or address:</translation>
    </message>
    <message>
        <source>Порт:</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>Имя пользователя:</source>
        <translation>User name:</translation>
    </message>
    <message>
        <source>Пароль:</source>
        <translation>Password:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>TFormScript</name>
    <message>
        <source>Комментарии (можно оставить пустым)</source>
        <translation>Comment (may be left empty)</translation>
    </message>
    <message>
        <source>Комментарии:</source>
        <translation>Comment:</translation>
    </message>
    <message>
        <source> Опции </source>
        <translation> Options </translation>
    </message>
    <message>
        <source>Начальный список комбинаций:</source>
        <translation>Starting combination list:</translation>
    </message>
    <message>
        <source>Исключить указанное количество тиражей из списка комбинаций перед применением фильтров</source>
        <translation>Remove the given number of draws from the combination list before the filters are applied</translation>
    </message>
    <message>
        <source>Кол-во тиражей:</source>
        <translation>Draws:</translation>
    </message>
    <message>
        <source>В случае неоднозначного результата после применения фильтров:</source>
        <translation>When the filters give an ambiguous result:</translation>
    </message>
    <message>
        <source>Удалить все ставки перед выполнением (накопление только рейтинга)</source>
        <translation>Delete all stakes before running (accumulate the rating only)</translation>
    </message>
    <message>
        <source>Перед выполнением строки сценария файл ставок будет очищен.<byte value="xd" /><byte value="xd" />Используется для очень больших сценариев, которые создают огромное количество ставок за один раз.<byte value="xd" /><byte value="xd" />На накопление рейтинга это не влияет.</source>
        <translation>The stakes file is cleared before the script line runs.<byte value="xd" /><byte value="xd" />Meant for very large scripts that make a huge number of stakes at once.<byte value="xd" /><byte value="xd" />The rating is accumulated as usual.</translation>
    </message>
    <message>
        <source>Только новые ставки (пропускать те ставки, которые уже есть в списке)</source>
        <translation>New stakes only (skip the stakes already in the list)</translation>
    </message>
    <message>
        <source>Если комбинация уже есть в списке ставок, то она не будет добавлена в список ставок</source>
        <translation>A combination that is already in the stake list is not added to it again</translation>
    </message>
    <message>
        <source> Фильтры </source>
        <translation> Filters </translation>
    </message>
    <message>
        <source>Фильтр %1</source>
        <translation>Filter %1</translation>
    </message>
    <message>
        <source>Редактировать фильтр</source>
        <translation>Edit filter</translation>
    </message>
    <message>
        <source>Фильтр %1:</source>
        <translation>Filter %1:</translation>
    </message>
</context>
<context>
    <name>TFormStake</name>
    <message>
        <source>Добавление ставки</source>
        <translation>Add a stake</translation>
    </message>
    <message>
        <source>Номер первого тиража</source>
        <translation>Number of the first draw</translation>
    </message>
    <message>
        <source>Введите числа, разделенные пробелом, запятой или точкой с запятой</source>
        <translation>Enter the numbers separated by spaces, commas or semicolons</translation>
    </message>
    <message>
        <source>Количество тиражей, на которые нужно сделать ставку (начиная с указанного)</source>
        <translation>Number of draws to stake on (starting with the given one)</translation>
    </message>
    <message>
        <source>Сумма введенных чисел</source>
        <translation>Sum of the numbers entered</translation>
    </message>
    <message>
        <source>Номер тиража:</source>
        <translation>Draw number:</translation>
    </message>
    <message>
        <source>Ставка:</source>
        <translation>Stake:</translation>
    </message>
    <message>
        <source>Сумма:</source>
        <translation>Sum:</translation>
    </message>
    <message>
        <source>Комментарий к ставке:</source>
        <translation>Stake comment:</translation>
    </message>
    <message>
        <source>Кол-во тиражей:</source>
        <translation>Draws:</translation>
    </message>
</context>
<context>
    <name>TFormStakeFilter</name>
    <message>
        <source>Удаление по условию</source>
        <translation>Delete by condition</translation>
    </message>
    <message>
        <source>Выберите условие:</source>
        <translation>Choose the condition:</translation>
    </message>
    <message>
        <source>Равно [ = ]</source>
        <translation>Equal to [ = ]</translation>
    </message>
    <message>
        <source>Более [ &gt; ]</source>
        <translation>More than [ &gt; ]</translation>
    </message>
    <message>
        <source>Не менее [ &gt;= ]</source>
        <translation>At least [ &gt;= ]</translation>
    </message>
    <message>
        <source>Менее [ &lt; ]</source>
        <translation>Less than [ &lt; ]</translation>
    </message>
    <message>
        <source>Не более [ &lt;= ]</source>
        <translation>At most [ &lt;= ]</translation>
    </message>
    <message>
        <source>Режим сравнения с количеством совпадений</source>
        <translation>How the number of matches is compared</translation>
    </message>
    <message>
        <source>Количество совпадений</source>
        <translation>Number of matches</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Удалить ставки</source>
        <translation>Delete stakes</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Отменить операцию и закрыть окно</source>
        <translation>Cancel and close the window</translation>
    </message>
</context>
<context>
    <name>TFormSystem</name>
    <message>
        <source>Система</source>
        <translation>System</translation>
    </message>
    <message>
        <source>Название системы</source>
        <translation>System name</translation>
    </message>
    <message>
        <source>Количество используемых чисел</source>
        <translation>Number of numbers used</translation>
    </message>
    <message>
        <source>Длина одной комбинации</source>
        <translation>Length of one combination</translation>
    </message>
    <message>
        <source>Длина блока</source>
        <translation>Block length</translation>
    </message>
    <message>
        <source>Количество комбинаций в списке</source>
        <translation>Number of combinations in the list</translation>
    </message>
    <message>
        <source>Описание системы</source>
        <translation>System description</translation>
    </message>
    <message>
        <source>Автор системы</source>
        <translation>System author</translation>
    </message>
    <message>
        <source>Ссылка на интернет-ресурс</source>
        <translation>Link to a web page</translation>
    </message>
    <message>
        <source>Открыть ссылку в браузере</source>
        <translation>Open the link in the browser</translation>
    </message>
    <message>
        <source>Время создания системы</source>
        <translation>When the system was created</translation>
    </message>
    <message>
        <source>Количество загрузок пользователями</source>
        <translation>Number of downloads by users</translation>
    </message>
    <message>
        <source>Время последней загрузки</source>
        <translation>Time of the last download</translation>
    </message>
    <message>
        <source>Список комбинаций системы</source>
        <translation>Combination list of the system</translation>
    </message>
    <message>
        <source>Наименование:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Числа:</source>
        <translation>Numbers:</translation>
    </message>
    <message>
        <source>Длина:</source>
        <translation>Length:</translation>
    </message>
    <message>
        <source>Блок:</source>
        <translation>Block:</translation>
    </message>
    <message>
        <source>Комбинаций:</source>
        <translation>Combinations:</translation>
    </message>
    <message>
        <source>Описание:</source>
        <translation>Description:</translation>
    </message>
    <message>
        <source>Автор:</source>
        <translation>Author:</translation>
    </message>
    <message>
        <source>Ссылка:</source>
        <translation>Link:</translation>
    </message>
    <message>
        <source>Создана:</source>
        <translation>Created:</translation>
    </message>
    <message>
        <source>Загрузок:</source>
        <translation>Downloads:</translation>
    </message>
    <message>
        <source>Последняя:</source>
        <translation>Last:</translation>
    </message>
    <message>
        <source>Список комбинаций:</source>
        <translation>Combination list:</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Закрыть окно</source>
        <translation>Close the window</translation>
    </message>
    <message>
        <source>Копировать в буфер обмена</source>
        <translation>Copy to the clipboard</translation>
    </message>
    <message>
        <source>Вставить из буфера обмена</source>
        <translation>Paste from the clipboard</translation>
    </message>
    <message>
        <source>Выделить все</source>
        <translation>Select all</translation>
    </message>
    <message>
        <source>Загрузить из файла</source>
        <translation>Load from file</translation>
    </message>
    <message>
        <source>Текстовые файлы (*.txt);;Все файлы (*)</source>
        <translation>Text files (*.txt);;All files (*)</translation>
    </message>
    <message>
        <source>Сохранить в файле</source>
        <translation>Save to file</translation>
    </message>
    <message>
        <source>Файл "%s" принадлежит программе и не может быть перезаписан</source>
        <translation>The file "%s" belongs to the program and cannot be overwritten</translation>
    </message>
</context>
<context>
    <name>TFormTestCnt</name>
    <message>
        <source>Количество тестов</source>
        <translation>Number of tests</translation>
    </message>
    <message>
        <source>Укажите количество тестов:</source>
        <translation>Enter the number of tests:</translation>
    </message>
    <message>
        <source>Укажите количество последних тиражей, на которых будет производится тестирование</source>
        <translation>Enter the number of latest draws the test runs on</translation>
    </message>
</context>
<context>
    <name>TRatingsPage</name>
    <message>
        <source>Обновить рейтинг</source>
        <translation>Refresh rating</translation>
    </message>
    <message>
        <source>Пересчитать рейтинг по текущим данным</source>
        <translation>Recalculate the rating from the current data</translation>
    </message>
    <message>
        <source>Экспорт рейтинга в CSV-файл</source>
        <translation>Export the rating to a CSV file</translation>
    </message>
    <message>
        <source>Экспорт рейтинга в Microsoft Excel</source>
        <translation>Export the rating to Microsoft Excel</translation>
    </message>
    <message>
        <source>Добавить в сценарий</source>
        <translation>Add to script</translation>
    </message>
    <message>
        <source>Добавить выделенные строки в сценарий</source>
        <translation>Add the selected rows to the script</translation>
    </message>
    <message>
        <source>Количество совпадений</source>
        <translation>Number of matches</translation>
    </message>
    <message>
        <source>График количества совпадений для выделенных строк рейтинга</source>
        <translation>Chart of the number of matches of the selected rating rows</translation>
    </message>
    <message>
        <source>Ожидаемые значения совпадений</source>
        <translation>Expected matches</translation>
    </message>
    <message>
        <source>Показывать расчетные значения количества совпадений</source>
        <translation>Show the expected numbers of matches</translation>
    </message>
    <message>
        <source>Абсолютные значения эффективности</source>
        <translation>Absolute efficiency</translation>
    </message>
    <message>
        <source>Показывать абсолютные изменения эффективности ставок</source>
        <translation>Show absolute changes of stake efficiency</translation>
    </message>
    <message>
        <source>Относительные значения эффективности</source>
        <translation>Relative efficiency</translation>
    </message>
    <message>
        <source>Показывать относительные изменения эффективности ставок</source>
        <translation>Show relative changes of stake efficiency</translation>
    </message>
    <message>
        <source>Эффективность (столбцы E0..n)</source>
        <translation>Efficiency (columns E0..n)</translation>
    </message>
    <message>
        <source>Рейтинг: %d</source>
        <translation>Rating: %d</translation>
    </message>
    <message>
        <source>Экспорт в CSV-файл...</source>
        <translation>Exporting to a CSV file...</translation>
    </message>
    <message>
        <source>Рейтинг</source>
        <translation>Rating</translation>
    </message>
    <message>
        <source>Генерация новых строк в сценарии...</source>
        <translation>Generating new script lines...</translation>
    </message>
    <message>
        <source>Создание графиков...</source>
        <translation>Building charts...</translation>
    </message>
    <message>
        <source>Нормальные значения</source>
        <translation>Normal values</translation>
    </message>
    <message>
        <source>Пересчитать рейтинг по ставкам?</source>
        <translation>Recalculate the rating from the stakes?</translation>
    </message>
    <message>
        <source>Пересчитать</source>
        <translation>Recalculate</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Сценарий недоступен</source>
        <translation>The script is not available</translation>
    </message>
</context>
<context>
    <name>TRatingsStore</name>
    <message>
        <source>Загрузка файла рейтинга...</source>
        <translation>Loading the rating file...</translation>
    </message>
    <message>
        <source>записей с невозможными счетчиками: %d (первая - запись %d)</source>
        <translation>records with impossible counts: %d (the first is record %d)</translation>
    </message>
    <message>
        <source>Сортировка рейтинга...</source>
        <translation>Sorting the rating...</translation>
    </message>
    <message>
        <source>Сохранение файла рейтинга...</source>
        <translation>Saving the rating file...</translation>
    </message>
</context>
<context>
    <name>TScriptPage</name>
    <message>
        <source>Открыть</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Загрузить сценарий из файла</source>
        <translation>Load a script from a file</translation>
    </message>
    <message>
        <source>Сохранить</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Сохранить сценарий в файле</source>
        <translation>Save the script to a file</translation>
    </message>
    <message>
        <source>Добавить фильтры</source>
        <translation>Add filters</translation>
    </message>
    <message>
        <source>Добавить новую команду в сценарий</source>
        <translation>Add a new command to the script</translation>
    </message>
    <message>
        <source>Добавить разделитель</source>
        <translation>Add separator</translation>
    </message>
    <message>
        <source>Добавить разделитель в сценарий</source>
        <translation>Add a separator to the script</translation>
    </message>
    <message>
        <source>Добавить сценарий</source>
        <translation>Add script</translation>
    </message>
    <message>
        <source>Добавить выбранный сценарий из файла в текущий сценарий</source>
        <translation>Add a script from a file to the current script</translation>
    </message>
    <message>
        <source>Клонировать</source>
        <translation>Clone</translation>
    </message>
    <message>
        <source>Добавить новую команду в сценарий и скопировать в нее данные из выделенной</source>
        <translation>Add a new command to the script with the data of the selected one</translation>
    </message>
    <message>
        <source>Изменить</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Редактировать выделенную команду</source>
        <translation>Edit the selected command</translation>
    </message>
    <message>
        <source>Удалить</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Удалить выделенные строки</source>
        <translation>Delete the selected lines</translation>
    </message>
    <message>
        <source>Удалить все</source>
        <translation>Delete all</translation>
    </message>
    <message>
        <source>Удалить весь сценарий</source>
        <translation>Delete the whole script</translation>
    </message>
    <message>
        <source>Переместить вверх</source>
        <translation>Move up</translation>
    </message>
    <message>
        <source>Переместить выделенную строку вверх</source>
        <translation>Move the selected line up</translation>
    </message>
    <message>
        <source>Переместить вниз</source>
        <translation>Move down</translation>
    </message>
    <message>
        <source>Переместить выделенную строку вниз</source>
        <translation>Move the selected line down</translation>
    </message>
    <message>
        <source>Строк: %d</source>
        <translation>Lines: %d</translation>
    </message>
    <message>
        <source>Загрузка файла "%s"...</source>
        <translation>Loading the file "%s"...</translation>
    </message>
    <message>
        <source>Сохранение файла "%s"...</source>
        <translation>Saving the file "%s"...</translation>
    </message>
    <message>
        <source>Создание новой строки</source>
        <translation>New line</translation>
    </message>
    <message>
        <source>Редактирование строки</source>
        <translation>Edit line</translation>
    </message>
    <message>
        <source>Удаление строк...</source>
        <translation>Deleting lines...</translation>
    </message>
    <message>
        <source>Прогноз</source>
        <translation>Forecast</translation>
    </message>
    <message>
        <source>Выполнить сценарий для текущего тиража и смещения</source>
        <translation>Run the script for the current draw and offset</translation>
    </message>
    <message>
        <source>Тест</source>
        <translation>Test</translation>
    </message>
    <message>
        <source>Тестирование сценария на основе результатов предыдущих тиражей</source>
        <translation>Test the script on the results of past draws</translation>
    </message>
    <message>
        <source>Стоп</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Остановить выполнение сценария</source>
        <translation>Stop the script run</translation>
    </message>
    <message>
        <source>Журнал выполнения сценария</source>
        <translation>Script run log</translation>
    </message>
    <message>
        <source>Создание подробного журнала выполнения сценария для анализа его работы</source>
        <translation>Write a detailed log of the script run to analyse how it works</translation>
    </message>
    <message>
        <source>Удалить журналы выполнения сценариев</source>
        <translation>Delete script run logs</translation>
    </message>
    <message>
        <source>Удалить файлы журналов выполнения сценария</source>
        <translation>Delete the log files of script runs</translation>
    </message>
    <message>
        <source>Проверять ставки после каждой строки сценария</source>
        <translation>Check the stakes after each script line</translation>
    </message>
    <message>
        <source>Остановить выполнение сценария?</source>
        <translation>Stop the script run?</translation>
    </message>
    <message>
        <source>Файлы журналов не найдены!</source>
        <translation>No log files found!</translation>
    </message>
    <message>
        <source>Поиск файлов журналов...</source>
        <translation>Looking for log files...</translation>
    </message>
    <message>
        <source>Удаление журналов выполнения сценариев</source>
        <translation>Deleting script run logs</translation>
    </message>
    <message>
        <source>Удалено файлов: %d</source>
        <translation>Files deleted: %d</translation>
    </message>
    <message>
        <source>Файл ставок не открыт!</source>
        <translation>The stakes file is not open!</translation>
    </message>
    <message>
        <source>Выполнение сценария...</source>
        <translation>Running the script...</translation>
    </message>
</context>
<context>
    <name>TScriptRunner</name>
    <message>
        <source>Цикл: %d</source>
        <translation>Cycle: %d</translation>
    </message>
    <message>
        <source>Строка: %d</source>
        <translation>Line: %d</translation>
    </message>
    <message>
        <source>Ставок: %d</source>
        <translation>Stakes: %d</translation>
    </message>
    <message>
        <source>, осталось </source>
        <translation>, left </translation>
    </message>
    <message>
        <source>Неизвестный код статистики</source>
        <translation>Unknown statistic code</translation>
    </message>
    <message>
        <source>Создание всех вариантов фильтров...</source>
        <translation>Building all filter variants...</translation>
    </message>
    <message>
        <source>Фильтр %d из %d: %s</source>
        <translation>Filter %d of %d: %s</translation>
    </message>
    <message>
        <source>Выполнение сценария прервано, т.к. после применения всех фильтров в списке комбинаций их осталось более одной: %d!<byte value="xd" /><byte value="xd" />Фильтры: %s</source>
        <translation>The script run was stopped: after all filters were applied, more than one combination is left in the list: %d!<byte value="xd" /><byte value="xd" />Filters: %s</translation>
    </message>
</context>
<context>
    <name>TStakeFile</name>
    <message>
        <source>Ошибка чтения файла ставок!<byte value="xd" /><byte value="xd" />%s</source>
        <translation>Error reading the stakes file!<byte value="xd" /><byte value="xd" />%s</translation>
    </message>
    <message>
        <source>Ошибка чтения записи из файла ставок!<byte value="xd" /><byte value="xd" />%s</source>
        <translation>Error reading a record of the stakes file!<byte value="xd" /><byte value="xd" />%s</translation>
    </message>
    <message>
        <source>Ошибка добавления записи в файл ставок!<byte value="xd" /><byte value="xd" />%s</source>
        <translation>Error adding a record to the stakes file!<byte value="xd" /><byte value="xd" />%s</translation>
    </message>
    <message>
        <source>Ошибка поиска записи в файле ставок!<byte value="xd" /><byte value="xd" />%s</source>
        <translation>Error looking for a record in the stakes file!<byte value="xd" /><byte value="xd" />%s</translation>
    </message>
    <message>
        <source>Ошибка удаления записи из файла ставок!<byte value="xd" /><byte value="xd" />%s</source>
        <translation>Error deleting a record from the stakes file!<byte value="xd" /><byte value="xd" />%s</translation>
    </message>
    <message>
        <source>Ошибка поиска записи по номеру тиража в файле ставок!<byte value="xd" /><byte value="xd" />%s</source>
        <translation>Error looking for a record by draw number in the stakes file!<byte value="xd" /><byte value="xd" />%s</translation>
    </message>
    <message>
        <source>Файл "%s" содержит %s записей, а формат файла ставок допускает не более %d</source>
        <translation>The file "%s" has %s records, while the stake file format allows at most %d</translation>
    </message>
    <message>
        <source>"%s" не является файлом</source>
        <translation>"%s" is not a file</translation>
    </message>
    <message>
        <source>Ошибка записи в файл ставок!<byte value="xd" /><byte value="xd" />%s</source>
        <translation>Error writing the stake file!<byte value="xd" /><byte value="xd" />%s</translation>
    </message>
    <message>
        <source>Не удалось сохранить копию файла ставок "%s": %s</source>
        <translation>Could not save a copy of the stake file "%s": %s</translation>
    </message>
    <message>
        <source>Файл ставок не открыт!</source>
        <translation>The stake file is not open!</translation>
    </message>
    <message>
        <source>Файл ставок открыт только для чтения!</source>
        <translation>The stake file is open read-only!</translation>
    </message>
    <message>
        <source>Неожиданный конец файла ставок</source>
        <translation>Unexpected end of the stake file</translation>
    </message>
    <message>
        <source>Запись со индексом %d в файле данных не найдена!</source>
        <translation>The record with the index %d was not found in the data file!</translation>
    </message>
    <message>
        <source>Файл ставок содержит наибольшее допустимое количество записей (%d)</source>
        <translation>The stake file already has the largest allowed number of records (%d)</translation>
    </message>
    <message>
        <source>Добавление в конец файла уже проверенной ставки!</source>
        <translation>Adding an already checked stake to the end of the file!</translation>
    </message>
    <message>
        <source>Количество тиражей должно быть от 1 до %d!</source>
        <translation>The number of draws must be from 1 to %d!</translation>
    </message>
    <message>
        <source>Номер последнего тиража (%d + %d - 1) превышает %d!</source>
        <translation>The number of the last draw (%d + %d - 1) exceeds %d!</translation>
    </message>
    <message>
        <source>Ошибка переименования / удаления временного файла ставок %s!<byte value="xd" /><byte value="xd" />%s</source>
        <translation>Error renaming / deleting the temporary stake file %s!<byte value="xd" /><byte value="xd" />%s</translation>
    </message>
    <message>
        <source>Ошибка удаления записи из файла ставок!<byte value="xd" /><byte value="xd" />Неизвестное условие %d</source>
        <translation>Error deleting a record from the stake file!<byte value="xd" /><byte value="xd" />Unknown condition %d</translation>
    </message>
</context>
<context>
    <name>TStakesPage</name>
    <message>
        <source>Сделать ставку</source>
        <translation>Make a stake</translation>
    </message>
    <message>
        <source>Добавить текущую комбинацию в список ставок с возможностью ручного ввода</source>
        <translation>Add the current combination to the stake list, with manual entry</translation>
    </message>
    <message>
        <source>Сделать случайную ставку</source>
        <translation>Make a random stake</translation>
    </message>
    <message>
        <source>Добавить ставку, выбранную случайным образом из списка комбинаций</source>
        <translation>Add a stake chosen at random from the combination list</translation>
    </message>
    <message>
        <source>Сделать ставки для выделенных комбинаций</source>
        <translation>Stake the selected combinations</translation>
    </message>
    <message>
        <source>Добавить выделенные комбинации в список ввода</source>
        <translation>Add the selected combinations to the entry list</translation>
    </message>
    <message>
        <source>Сделать ставки для всех комбинаций</source>
        <translation>Stake all combinations</translation>
    </message>
    <message>
        <source>Добавить все существующие комбинации в список ввода</source>
        <translation>Add all combinations to the entry list</translation>
    </message>
    <message>
        <source>Удалить ставку</source>
        <translation>Delete stake</translation>
    </message>
    <message>
        <source>Удалить выделенные ставки из списка ставок</source>
        <translation>Delete the selected stakes from the stake list</translation>
    </message>
    <message>
        <source>Удалить по условию</source>
        <translation>Delete by condition</translation>
    </message>
    <message>
        <source>Удалить ставки с заданным количеством совпадений из списка ставок</source>
        <translation>Delete the stakes with the given number of matches from the stake list</translation>
    </message>
    <message>
        <source>Удалить все ставки</source>
        <translation>Delete all stakes</translation>
    </message>
    <message>
        <source>Очистить список ставок</source>
        <translation>Clear the stake list</translation>
    </message>
    <message>
        <source>Проверить ставки</source>
        <translation>Check stakes</translation>
    </message>
    <message>
        <source>Выполнить проверку ставок по архиву тиражей</source>
        <translation>Check the stakes against the draw archive</translation>
    </message>
    <message>
        <source>Журналы ставок</source>
        <translation>Stake logs</translation>
    </message>
    <message>
        <source>Создавать текстовые файлы журналов ставок</source>
        <translation>Write stake logs as text files</translation>
    </message>
    <message>
        <source>Удалить журналы ставок</source>
        <translation>Delete stake logs</translation>
    </message>
    <message>
        <source>Удалить имеющиеся файлы журналов ставок</source>
        <translation>Delete the existing stake log files</translation>
    </message>
    <message>
        <source>Прокручивать список при добавлении</source>
        <translation>Scroll the list on adding</translation>
    </message>
    <message>
        <source>Прокручивать список ставок при добавлении новой ставки</source>
        <translation>Scroll the stake list when a new stake is added</translation>
    </message>
    <message>
        <source>Суммарный профит по тиражам</source>
        <translation>Total profit by draw</translation>
    </message>
    <message>
        <source>График суммарного профита ставок по тиражам</source>
        <translation>Chart of the total stake profit by draw</translation>
    </message>
    <message>
        <source>График совпадений ставок</source>
        <translation>Stake matches chart</translation>
    </message>
    <message>
        <source>График количества совпадений для всех ставок по тиражам</source>
        <translation>Chart of the number of matches of all stakes by draw</translation>
    </message>
    <message>
        <source>График профита ставок</source>
        <translation>Stake profit chart</translation>
    </message>
    <message>
        <source>График профита для всех ставок по тиражам</source>
        <translation>Chart of the profit of all stakes by draw</translation>
    </message>
    <message>
        <source>Экспорт ставок в Microsoft Excel</source>
        <translation>Export stakes to Microsoft Excel</translation>
    </message>
    <message>
        <source>Сохранение файла ставок...</source>
        <translation>Saving the stakes file...</translation>
    </message>
    <message>
        <source>Загрузка файла ставок...</source>
        <translation>Loading the stakes file...</translation>
    </message>
    <message>
        <source>Ставок: %d</source>
        <translation>Stakes: %d</translation>
    </message>
    <message>
        <source>Создание ставки...</source>
        <translation>Making the stake...</translation>
    </message>
    <message>
        <source>Создание ставок...</source>
        <translation>Making stakes...</translation>
    </message>
    <message>
        <source>Удаление ставок...</source>
        <translation>Deleting stakes...</translation>
    </message>
    <message>
        <source>Проверено ставок: %d, из них выигрышных: %d.</source>
        <translation>Stakes checked: %d, winning: %d.</translation>
    </message>
    <message>
        <source>Новых результатов нет: все ставки, тиражи которых есть в архиве, уже проверены.</source>
        <translation>No new results: every stake whose draw is in the archive has been checked already.</translation>
    </message>
    <message>
        <source>Ставок на тиражи, которых еще нет в архиве: %d.</source>
        <translation>Stakes on draws not yet in the archive: %d.</translation>
    </message>
    <message>
        <source>Файлы журналов не найдены!</source>
        <translation>No log files found!</translation>
    </message>
    <message>
        <source>Поиск файлов журналов...</source>
        <translation>Looking for log files...</translation>
    </message>
    <message>
        <source>Удаление журналов ставок</source>
        <translation>Deleting stake logs</translation>
    </message>
    <message>
        <source>Удалено файлов: %d</source>
        <translation>Files deleted: %d</translation>
    </message>
    <message>
        <source>Создание графиков...</source>
        <translation>Building charts...</translation>
    </message>
    <message>
        <source>Суммарный профит ставок по тиражу</source>
        <translation>Total stake profit of the draw</translation>
    </message>
    <message>
        <source>Среднее значение</source>
        <translation>Average</translation>
    </message>
    <message>
        <source>Накопленное значение</source>
        <translation>Cumulative</translation>
    </message>
    <message>
        <source>Ставки</source>
        <translation>Stakes</translation>
    </message>
</context>
<context>
    <name>TStatList</name>
    <message>
        <source>Не выбран метод расчета статистики (cb: %s)!</source>
        <translation>No statistic is chosen (cb: %s)!</translation>
    </message>
    <message>
        <source>Ошибка загрузки списка фильтров!<byte value="xd" /><byte value="xd" />%s</source>
        <translation>Error loading the filter list!<byte value="xd" /><byte value="xd" />%s</translation>
    </message>
    <message>
        <source>Ошибка сохранения списка фильтров!<byte value="xd" /><byte value="xd" />%s</source>
        <translation>Error saving the filter list!<byte value="xd" /><byte value="xd" />%s</translation>
    </message>
</context>
<context>
    <name>TSystemsModel</name>
    <message>
        <source>В каталоге пока нет ни одной системы</source>
        <translation>The catalog has no systems yet</translation>
    </message>
    <message>
        <source>Список систем не доступен!</source>
        <translation>The system list is not available!</translation>
    </message>
    <message>
        <source>Загружена</source>
        <translation>Downloaded</translation>
    </message>
    <message>
        <source>Название</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Автор</source>
        <translation>Author</translation>
    </message>
    <message>
        <source>Числа</source>
        <translation>Numbers</translation>
    </message>
    <message>
        <source>Блок</source>
        <translation>Block</translation>
    </message>
    <message>
        <source>Комбинаций</source>
        <translation>Combinations</translation>
    </message>
    <message>
        <source>Дата создания</source>
        <translation>Created</translation>
    </message>
    <message>
        <source>Статус</source>
        <translation>Status</translation>
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
        <translation>Comment</translation>
    </message>
    <message>
        <source>Ссылка</source>
        <translation>Link</translation>
    </message>
</context>
<context>
    <name>TSystemsPage</name>
    <message>
        <source>Системная игра</source>
        <translation>System play</translation>
    </message>
    <message>
        <source>Включить или выключить список систем</source>
        <translation>Show or hide the system list</translation>
    </message>
    <message>
        <source>Загрузить</source>
        <translation>Download</translation>
    </message>
    <message>
        <source>Загрузить выделенные системы</source>
        <translation>Download the selected systems</translation>
    </message>
    <message>
        <source>Обновить</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>Перезагрузить список с сервера</source>
        <translation>Reload the list from the server</translation>
    </message>
    <message>
        <source>Добавить</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>Добавить свою систему в список</source>
        <translation>Add your own system to the list</translation>
    </message>
    <message>
        <source>Свойства</source>
        <translation>Properties</translation>
    </message>
    <message>
        <source>Просмотр / редактирование свойств системы</source>
        <translation>View / edit the system properties</translation>
    </message>
    <message>
        <source>Удалить</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Удалить свои системы из списка</source>
        <translation>Delete your systems from the list</translation>
    </message>
    <message>
        <source>Cистемная игра по списку системы</source>
        <translation>System play on the system list</translation>
    </message>
    <message>
        <source>Системная игра по всем комбинациям выбранной системы (даже если их нет в списке комбинаций)</source>
        <translation>System play on all combinations of the chosen system (even those not in the combination list)</translation>
    </message>
    <message>
        <source>Cистемная игра по списку комбинаций</source>
        <translation>System play on the combination list</translation>
    </message>
    <message>
        <source>Системная игра только по комбинациям, которые есть и в системе и в списке комбинаций</source>
        <translation>System play only on the combinations that are both in the system and in the combination list</translation>
    </message>
    <message>
        <source>Системы</source>
        <translation>Systems</translation>
    </message>
    <message>
        <source>Пользователь</source>
        <translation>User</translation>
    </message>
    <message>
        <source>Для работы с каталогом систем укажите Ваше имя и адрес электронной почты.<byte value="xd" />По адресу сервер узнаёт Ваши системы.</source>
        <translation>To use the system catalog, enter your name and e-mail address.<byte value="xd" />The server recognises your systems by the address.</translation>
    </message>
    <message>
        <source>Имя:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>E-mail:</source>
        <translation>E-mail:</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Ошибка записи в файл конфигурации!<byte value="xd" /><byte value="xd" />%s</source>
        <translation>Error writing the settings file!<byte value="xd" /><byte value="xd" />%s</translation>
    </message>
    <message>
        <source>Загрузка списка систем...</source>
        <translation>Loading the system list...</translation>
    </message>
    <message>
        <source>Загрузка "%s"...</source>
        <translation>Downloading "%s"...</translation>
    </message>
    <message>
        <source>Удаление "%s"...</source>
        <translation>Deleting "%s"...</translation>
    </message>
    <message>
        <source>Сохранение "%s"...</source>
        <translation>Saving "%s"...</translation>
    </message>
    <message>
        <source>Подождите пожалуйста...</source>
        <translation>Please wait...</translation>
    </message>
    <message>
        <source>Вы можете удалять только свои системы!</source>
        <translation>You can delete only your own systems!</translation>
    </message>
    <message>
        <source>Вы действительно хотите удалить систему "%s"?</source>
        <translation>Do you really want to delete the system "%s"?</translation>
    </message>
    <message>
        <source>Создание ставок...</source>
        <translation>Making stakes...</translation>
    </message>
</context>
<context>
    <name>TTemplateMain</name>
    <message>
        <source>Архив тиражей</source>
        <translation>Draw archive</translation>
    </message>
    <message>
        <source>Комбинации</source>
        <translation>Combinations</translation>
    </message>
    <message>
        <source>Статистика</source>
        <translation>Statistics</translation>
    </message>
    <message>
        <source>Ставки</source>
        <translation>Stakes</translation>
    </message>
    <message>
        <source>Рейтинг</source>
        <translation>Rating</translation>
    </message>
    <message>
        <source>Системы</source>
        <translation>Systems</translation>
    </message>
    <message>
        <source>Сценарий</source>
        <translation>Script</translation>
    </message>
    <message>
        <source>Анализ статистики лотереи "Velmora 5 из 50"</source>
        <translation>Statistics analysis of the "Velmora 5 of 50" lottery</translation>
    </message>
    <message>
        <source>Выход</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>О программе</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Подождите пожалуйста...</source>
        <translation>Please wait...</translation>
    </message>
    <message>
        <source>Стоп</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Ошибка запуска программы!<byte value="xd" /><byte value="xd" />%s</source>
        <translation>Error starting the program!<byte value="xd" /><byte value="xd" />%s</translation>
    </message>
    <message>
        <source>Файл</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Вид</source>
        <translation>View</translation>
    </message>
    <message>
        <source>Справка</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Инициализация...</source>
        <translation>Initialising...</translation>
    </message>
    <message>
        <source> версия </source>
        <translation> version </translation>
    </message>
    <message>
        <source>Папку данных "%s" уже использует другая копия программы. Несколько копий программы могут работать одновременно только с разными папками данных (параметр --data-dir).</source>
        <translation>The data folder "%s" is already used by another copy of the program. Several copies of the program can run at the same time only with different data folders (option --data-dir).</translation>
    </message>
    <message>
        <source>Нет доступа на запись к папке данных "%s": %s<byte value="xd" />Укажите папку, доступную для записи (параметр --data-dir), или дайте права на запись в эту папку.</source>
        <translation>No write access to the data folder "%s": %s<byte value="xd" />Choose a folder that can be written (option --data-dir), or allow writing to this folder.</translation>
    </message>
    <message>
        <source>Невозможно получить монопольный доступ к файлам данных!</source>
        <translation>Cannot get exclusive access to the data files!</translation>
    </message>
    <message>
        <source>Программа будет закрыта!</source>
        <translation>The program will close!</translation>
    </message>
    <message>
        <source>Ошибка инициализации программы!<byte value="xd" /><byte value="xd" />%s</source>
        <translation>Error initialising the program!<byte value="xd" /><byte value="xd" />%s</translation>
    </message>
    <message>
        <source>Ошибка загрузки параметров программы!<byte value="xd" /><byte value="xd" />%s</source>
        <translation>Error loading the program settings!<byte value="xd" /><byte value="xd" />%s</translation>
    </message>
    <message>
        <source>Numora for Velmora 5x50</source>
        <translation>Numora for Velmora 5x50</translation>
    </message>
    <message>
        <source>Версия </source>
        <translation>Version </translation>
    </message>
    <message>
        <source>Загрузка файла тиражей...</source>
        <translation>Loading the draws file...</translation>
    </message>
    <message>
        <source>Сохранение файла тиражей...</source>
        <translation>Saving the draws file...</translation>
    </message>
    <message>
        <source>Параметры</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Автоматическое обновление</source>
        <translation>Automatic update</translation>
    </message>
    <message>
        <source>Загрузка файла конфигурации...</source>
        <translation>Loading the settings file...</translation>
    </message>
    <message>
        <source>Ошибка чтения файла конфигурации!<byte value="xd" /><byte value="xd" />%s</source>
        <translation>Error reading the settings file!<byte value="xd" /><byte value="xd" />%s</translation>
    </message>
    <message>
        <source>Сохранение файла конфигурации...</source>
        <translation>Saving the settings file...</translation>
    </message>
    <message>
        <source>Ошибка записи в файл конфигурации!<byte value="xd" /><byte value="xd" />%s</source>
        <translation>Error writing the settings file!<byte value="xd" /><byte value="xd" />%s</translation>
    </message>
    <message>
        <source>Создание файлов для полного набора комбинаций...</source>
        <translation>Building the files of the full combination set...</translation>
    </message>
    <message>
        <source>Не удалось открыть адрес: в системе не найдена программа для его просмотра.<byte value="xd" /><byte value="xd" />Откройте его вручную:<byte value="xd" />%s</source>
        <translation>Could not open the address: no program to view it was found on the system.<byte value="xd" /><byte value="xd" />Open it by hand:<byte value="xd" />%s</translation>
    </message>
    <message>
        <source>Язык интерфейса</source>
        <translation>Interface language</translation>
    </message>
    <message>
        <source>Не удалось перезапустить программу. Запустите её снова.</source>
        <translation>Could not restart the program. Please start it again.</translation>
    </message>
    <message>
        <source>Сценарий недоступен</source>
        <translation>The script is not available</translation>
    </message>
</context>
<context>
    <name>TToolPanel</name>
    <message>
        <source>Другие команды</source>
        <translation>More commands</translation>
    </message>
</context>
<context>
    <name>TTranslationFile</name>
    <message>
        <source>не удалось открыть файл: %s</source>
        <translation>cannot open the file: %s</translation>
    </message>
    <message>
        <source>ошибка чтения файла: %s</source>
        <translation>error reading the file: %s</translation>
    </message>
    <message>
        <source>файл не является языковым модулем</source>
        <translation>the file is not a language module</translation>
    </message>
    <message>
        <source>обрыв файла</source>
        <translation>the file ends too early</translation>
    </message>
    <message>
        <source>неизвестная запись в файле</source>
        <translation>unknown record in the file</translation>
    </message>
</context>
<context>
    <name>TWaitWindow</name>
    <message>
        <source>Стоп</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Прервать загрузку</source>
        <translation>Stop the download</translation>
    </message>
</context>
<context>
    <name>TWebStopped</name>
    <message>
        <source>Загрузка прервана пользователем</source>
        <translation>The download was stopped by the user</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Не указана папка данных после --data-dir</source>
        <translation>No data folder given after --data-dir</translation>
    </message>
</context>
<context>
    <name>std</name>
    <message>
        <source>обрыв файла</source>
        <translation>the file ends too early</translation>
    </message>
    <message>
        <source>Выделенная комбинация не найдена архиве тиражей!</source>
        <translation>The selected combination was not found in the draw archive!</translation>
    </message>
    <message>
        <source>Выделенная комбинация найдена в следующих тиражах:<byte value="xd" /><byte value="xd" /></source>
        <translation>The selected combination was found in these draws:<byte value="xd" /><byte value="xd" /></translation>
    </message>
    <message>
        <source>В текущем списке комбинаций содержится %d уникальных номеров</source>
        <translation>The current combination list holds %d unique numbers</translation>
    </message>
    <message>
        <source>Слишком много комбинаций: %d! В списке может быть не более %d комбинаций.</source>
        <translation>Too many combinations: %d! The list can hold at most %d combinations.</translation>
    </message>
    <message>
        <source>Ошибка чтения файла конфигурации!<byte value="xd" /><byte value="xd" />%s</source>
        <translation>Error reading the settings file!<byte value="xd" /><byte value="xd" />%s</translation>
    </message>
    <message>
        <source>Тираж № %d от %s, значения: %s</source>
        <translation>Draw No. %d of %s, values: %s</translation>
    </message>
    <message>
        <source>%s "%s" не является числом от %d до %d</source>
        <translation>%s "%s" is not a number from %d to %d</translation>
    </message>
    <message>
        <source>%s %d повторяется</source>
        <translation>%s %d is repeated</translation>
    </message>
    <message>
        <source>неверный запрос</source>
        <translation>bad request</translation>
    </message>
    <message>
        <source>нужна авторизация</source>
        <translation>authorisation required</translation>
    </message>
    <message>
        <source>доступ запрещён</source>
        <translation>access denied</translation>
    </message>
    <message>
        <source>страница не найдена</source>
        <translation>page not found</translation>
    </message>
    <message>
        <source>proxy-сервер требует имя пользователя и пароль</source>
        <translation>the proxy server needs a user name and password</translation>
    </message>
    <message>
        <source>время ожидания запроса истекло</source>
        <translation>the request timed out</translation>
    </message>
    <message>
        <source>страница удалена</source>
        <translation>the page was removed</translation>
    </message>
    <message>
        <source>запрос слишком велик</source>
        <translation>the request is too large</translation>
    </message>
    <message>
        <source>слишком много запросов, повторите позже</source>
        <translation>too many requests, try again later</translation>
    </message>
    <message>
        <source>внутренняя ошибка сервера</source>
        <translation>internal server error</translation>
    </message>
    <message>
        <source>ошибка шлюза</source>
        <translation>bad gateway</translation>
    </message>
    <message>
        <source>сервис временно недоступен</source>
        <translation>service temporarily unavailable</translation>
    </message>
    <message>
        <source>шлюз не дождался ответа</source>
        <translation>gateway timeout</translation>
    </message>
    <message>
        <source>ошибка на стороне сервера</source>
        <translation>server error</translation>
    </message>
    <message>
        <source>%d с</source>
        <translation>%d s</translation>
    </message>
    <message>
        <source>%d мин</source>
        <translation>%d min</translation>
    </message>
    <message>
        <source>%d ч %.2d мин</source>
        <translation>%d h %.2d min</translation>
    </message>
    <message>
        <source>Вы задали слишком много вариантов фильтров - программа не сможет обработать их все!<byte value="xd" />Пожалуйста, уменьшите в каждом из фильтров количество вариантов длины выборки и глубины, а затем повторите попытку.<byte value="xd" /><byte value="xd" /></source>
        <translation>You have set too many filter variants - the program cannot process them all!<byte value="xd" />Please reduce the number of sample length and depth variants in each filter, then try again.<byte value="xd" /><byte value="xd" /></translation>
    </message>
    <message>
        <source>Строку<byte value="xd" /><byte value="xd" />%s<byte value="xd" /><byte value="xd" />невозможно добавить в сценарий!</source>
        <translation>The row<byte value="xd" /><byte value="xd" />%s<byte value="xd" /><byte value="xd" />cannot be added to the script!</translation>
    </message>
    <message>
        <source>Обнаружен файл ставок устаревшей версии - имеющиеся в файле ставки будут удалены!<byte value="xd" /><byte value="xd" />Копия прежнего файла сохранена в "%s".</source>
        <translation>A stakes file of an old version was found - the stakes in it will be deleted!<byte value="xd" /><byte value="xd" />A copy of the old file was saved to "%s".</translation>
    </message>
    <message>
        <source>Количество скачанных комбинаций ( %d ) отличается от ожидаемого значения ( %d )</source>
        <translation>The number of downloaded combinations ( %d ) differs from the expected one ( %d )</translation>
    </message>
    <message>
        <source>Система для %d чисел не поддерживается (допустимо от %d до %d)</source>
        <translation>A system for %d numbers is not supported (%d to %d allowed)</translation>
    </message>
    <message>
        <source>Система из %d комбинаций слишком велика (допустимо не более %d)</source>
        <translation>A system of %d combinations is too large (at most %d allowed)</translation>
    </message>
    <message>
        <source>Некорректное время создания системы: "%s"</source>
        <translation>Invalid creation time of the system: "%s"</translation>
    </message>
    <message>
        <source>Ошибка создания папки "%s"!<byte value="xd" /><byte value="xd" />%s</source>
        <translation>Error creating the folder "%s"!<byte value="xd" /><byte value="xd" />%s</translation>
    </message>
    <message>
        <source>Ошибка записи в файл "%s"!<byte value="xd" /><byte value="xd" />%s</source>
        <translation>Error writing the file "%s"!<byte value="xd" /><byte value="xd" />%s</translation>
    </message>
    <message>
        <source>Файл "%s" не найден</source>
        <translation>The file "%s" was not found</translation>
    </message>
    <message>
        <source>Не удается открыть файл</source>
        <translation>Cannot open the file</translation>
    </message>
    <message>
        <source>это не обычный файл</source>
        <translation>not a regular file</translation>
    </message>
    <message>
        <source>Неизвестная команда: %s (velmora-cli --help lists the commands)</source>
        <translation>Unknown command: %s (velmora-cli --help lists the commands)</translation>
    </message>
</context>
<context>
    <name>velmora</name>
    <message>
        <source>Не удалось загрузить языковый модуль "%s"!<byte value="xd" /><byte value="xd" />%s</source>
        <translation>Could not load the language module "%s"!<byte value="xd" /><byte value="xd" />%s</translation>
    </message>
    <message>
        <source>Языковый модуль "%s" не найден!</source>
        <translation>Language module "%s" was not found!</translation>
    </message>
    <message>
        <source>файл не является языковым модулем</source>
        <translation>the file is not a language module</translation>
    </message>
    <message>
        <source>Полный список (все возможные для данного лото варианты)</source>
        <translation>Full list (every possible combination of this lottery)</translation>
    </message>
    <message>
        <source>Мои числа - должно присутствовать любое из указанных</source>
        <translation>My numbers - any of them must be present</translation>
    </message>
    <message>
        <source>Мои числа - комбинации только из списка указанных</source>
        <translation>My numbers - combinations of these numbers only</translation>
    </message>
    <message>
        <source>Мои числа - исключить комбинации с любым из указанных</source>
        <translation>My numbers - exclude combinations with any of them</translation>
    </message>
    <message>
        <source>Загрузить список из заранее подготовленного CSV-файла</source>
        <translation>Load the list from a prepared CSV file</translation>
    </message>
    <message>
        <source>Не указано ни одного из "моих чисел" (от 1 до 50)!</source>
        <translation>None of "my numbers" (1 to 50) is given!</translation>
    </message>
    <message>
        <source>Для комбинаций только из "моих чисел" нужно указать не менее %d разных чисел от 1 до 50!</source>
        <translation>Combinations of "my numbers" only need at least %d different numbers from 1 to 50!</translation>
    </message>
    <message>
        <source>Не указано имя файла для загрузки!</source>
        <translation>No file name to load is given!</translation>
    </message>
    <message>
        <source>Файл "%s" не найден!</source>
        <translation>The file "%s" was not found!</translation>
    </message>
    <message>
        <source>Некорректный режим генерации списка комбинаций: %d</source>
        <translation>Invalid mode of generating the combination list: %d</translation>
    </message>
    <message>
        <source>Поиск по архиву тиражей...</source>
        <translation>Searching the draw archive...</translation>
    </message>
    <message>
        <source>Файлы комбинаций (*.lcv)|*.lcv</source>
        <translation>Combination files (*.lcv)|*.lcv</translation>
    </message>
    <message>
        <source>Значение</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>Количество</source>
        <translation>Count</translation>
    </message>
    <message>
        <source>Кол-во в %</source>
        <translation>Count in %</translation>
    </message>
    <message>
        <source>Норма</source>
        <translation>Norm</translation>
    </message>
    <message>
        <source>Отклонение</source>
        <translation>Deviation</translation>
    </message>
    <message>
        <source>Откл-ие в %</source>
        <translation>Deviation in %</translation>
    </message>
    <message>
        <source>Глубина</source>
        <translation>Depth</translation>
    </message>
    <message>
        <source>Глубина в %</source>
        <translation>Depth in %</translation>
    </message>
    <message>
        <source>Вес</source>
        <translation>Weight</translation>
    </message>
    <message>
        <source>Посл. тираж</source>
        <translation>Last draw</translation>
    </message>
    <message>
        <source>Период min</source>
        <translation>Period min</translation>
    </message>
    <message>
        <source>Период</source>
        <translation>Period</translation>
    </message>
    <message>
        <source>Период max</source>
        <translation>Period max</translation>
    </message>
    <message>
        <source>Ожд. ПРД</source>
        <translation>Exp. PRD</translation>
    </message>
    <message>
        <source>Ожд. СТФ</source>
        <translation>Exp. STF</translation>
    </message>
    <message>
        <source>Ожд. КРН</source>
        <translation>Exp. KRN</translation>
    </message>
    <message>
        <source>Факт</source>
        <translation>Actual</translation>
    </message>
    <message>
        <source>+/- ПРД</source>
        <translation>+/- PRD</translation>
    </message>
    <message>
        <source>+/- СТФ</source>
        <translation>+/- STF</translation>
    </message>
    <message>
        <source>+/- КРН</source>
        <translation>+/- KRN</translation>
    </message>
    <message>
        <source>Анализ тиражей и расчет статистики...</source>
        <translation>Analysing the draws and calculating the statistic...</translation>
    </message>
    <message>
        <source>Неизвестный код статистики: %s</source>
        <translation>Unknown statistic code: %s</translation>
    </message>
    <message>
        <source>Статистика %s не показывается в таблице</source>
        <translation>The statistic %s is not shown in the table</translation>
    </message>
    <message>
        <source>В таблице статистики %s (%d тиражей) нет значений: %s</source>
        <translation>The table of the statistic %s (%d draws) has no values: %s</translation>
    </message>
    <message>
        <source>Ошибка создания файла данных для полного набора вариантов!<byte value="xd" /><byte value="xd" />Имя файла: %s<byte value="xd" /><byte value="xd" />%s</source>
        <translation>Error creating the data file of the full combination set!<byte value="xd" /><byte value="xd" />File name: %s<byte value="xd" /><byte value="xd" />%s</translation>
    </message>
    <message>
        <source>Ошибка открытия файла данных для полного набора вариантов!<byte value="xd" /><byte value="xd" />Имя файла: %s<byte value="xd" /><byte value="xd" />%s</source>
        <translation>Error opening the data file of the full combination set!<byte value="xd" /><byte value="xd" />File name: %s<byte value="xd" /><byte value="xd" />%s</translation>
    </message>
    <message>
        <source>Создание файла предварительной выборки %s...</source>
        <translation>Building the distribution file %s...</translation>
    </message>
    <message>
        <source>Сумма количеств %s не равна %s</source>
        <translation>The sum of the counts %s is not %s</translation>
    </message>
    <message>
        <source>Создание файлов для полного набора комбинаций...</source>
        <translation>Building the files of the full combination set...</translation>
    </message>
    <message>
        <source>Весь список (без условий)</source>
        <translation>Whole list (no conditions)</translation>
    </message>
    <message>
        <source>"Глубина": не менее заданного значения</source>
        <translation>"Depth": at least the given value</translation>
    </message>
    <message>
        <source>"Глубина": не менее заданного процента</source>
        <translation>"Depth": at least the given percentage</translation>
    </message>
    <message>
        <source>"Глубина": не более заданного значения</source>
        <translation>"Depth": at most the given value</translation>
    </message>
    <message>
        <source>"Глубина": не более заданного процента</source>
        <translation>"Depth": at most the given percentage</translation>
    </message>
    <message>
        <source>"Глубина": из заданного списка значений</source>
        <translation>"Depth": from the given list of values</translation>
    </message>
    <message>
        <source>"Глубина": из заданного списка процентов</source>
        <translation>"Depth": from the given list of percentages</translation>
    </message>
    <message>
        <source>"Отклонение": не менее заданного значения</source>
        <translation>"Deviation": at least the given value</translation>
    </message>
    <message>
        <source>"Отклонение": не менее заданного процента</source>
        <translation>"Deviation": at least the given percentage</translation>
    </message>
    <message>
        <source>"Отклонение": не более заданного значения</source>
        <translation>"Deviation": at most the given value</translation>
    </message>
    <message>
        <source>"Отклонение": не более заданного процента</source>
        <translation>"Deviation": at most the given percentage</translation>
    </message>
    <message>
        <source>"Отклонение": из заданного списка значений</source>
        <translation>"Deviation": from the given list of values</translation>
    </message>
    <message>
        <source>"Отклонение": из заданного списка процентов</source>
        <translation>"Deviation": from the given list of percentages</translation>
    </message>
    <message>
        <source>"Количество": не менее заданного значения</source>
        <translation>"Count": at least the given value</translation>
    </message>
    <message>
        <source>"Количество": не менее заданного процента</source>
        <translation>"Count": at least the given percentage</translation>
    </message>
    <message>
        <source>"Количество": не более заданного значения</source>
        <translation>"Count": at most the given value</translation>
    </message>
    <message>
        <source>"Количество": не более заданного процента</source>
        <translation>"Count": at most the given percentage</translation>
    </message>
    <message>
        <source>"Количество": из заданного списка значений</source>
        <translation>"Count": from the given list of values</translation>
    </message>
    <message>
        <source>"Количество": из заданного списка процентов</source>
        <translation>"Count": from the given list of percentages</translation>
    </message>
    <message>
        <source>"Вес": не менее заданного значения</source>
        <translation>"Weight": at least the given value</translation>
    </message>
    <message>
        <source>"Вес": не более заданного значения</source>
        <translation>"Weight": at most the given value</translation>
    </message>
    <message>
        <source>"Вес": из заданного списка значений</source>
        <translation>"Weight": from the given list of values</translation>
    </message>
    <message>
        <source>"Период min": не менее заданного значения</source>
        <translation>"Period min": at least the given value</translation>
    </message>
    <message>
        <source>"Период min": не более заданного значения</source>
        <translation>"Period min": at most the given value</translation>
    </message>
    <message>
        <source>"Период min": из заданного списка значений</source>
        <translation>"Period min": from the given list of values</translation>
    </message>
    <message>
        <source>"Период": не менее заданного значения</source>
        <translation>"Period": at least the given value</translation>
    </message>
    <message>
        <source>"Период": не более заданного значения</source>
        <translation>"Period": at most the given value</translation>
    </message>
    <message>
        <source>"Период": из заданного списка значений</source>
        <translation>"Period": from the given list of values</translation>
    </message>
    <message>
        <source>"Период max": не менее заданного значения</source>
        <translation>"Period max": at least the given value</translation>
    </message>
    <message>
        <source>"Период max": не более заданного значения</source>
        <translation>"Period max": at most the given value</translation>
    </message>
    <message>
        <source>"Период max": из заданного списка значений</source>
        <translation>"Period max": from the given list of values</translation>
    </message>
    <message>
        <source>"Значения": из заданного списка значений</source>
        <translation>"Values": from the given list of values</translation>
    </message>
    <message>
        <source>Обработать все записи</source>
        <translation>Process all records</translation>
    </message>
    <message>
        <source>Количеству оставшихся комбинаций</source>
        <translation>Number of remaining combinations</translation>
    </message>
    <message>
        <source>Пока список не будет пуст и откатить на шаг</source>
        <translation>Until the list is empty, then one step back</translation>
    </message>
    <message>
        <source>Количеству шагов</source>
        <translation>Number of steps</translation>
    </message>
    <message>
        <source>Значению в списке статистики</source>
        <translation>Value in the statistic list</translation>
    </message>
    <message>
        <source>Процентному соотношению в списке статистики</source>
        <translation>Percentage in the statistic list</translation>
    </message>
    <message>
        <source>Введен некорректный диапазон значений!</source>
        <translation>The range of values is invalid!</translation>
    </message>
    <message>
        <source>Не выбран метод расчета статистики (cb: %s)!</source>
        <translation>No statistic is chosen (cb: %s)!</translation>
    </message>
    <message>
        <source>Для данного вида статистики не доступен режим выделения по списку значений!</source>
        <translation>This statistic does not offer selection by a list of values!</translation>
    </message>
    <message>
        <source>В режиме мультивыделения остановка сценария по количеству комбинаций или чисел не может быть выполнена!<byte value="xd" />Выберите другой способ останова.</source>
        <translation>With multiple selection the script cannot stop at a number of combinations or numbers!<byte value="xd" />Choose another way to stop.</translation>
    </message>
    <message>
        <source>Фильтрация комбинаций...</source>
        <translation>Filtering combinations...</translation>
    </message>
    <message>
        <source>В выделенном диапазоне нет значений для фильтра!</source>
        <translation>The selected range has no values to filter by!</translation>
    </message>
    <message>
        <source>'%s' - неверная дата</source>
        <translation>'%s' is not a valid date</translation>
    </message>
    <message>
        <source>Нельзя экспортировать тиражи в файл данных программы "%s"!</source>
        <translation>Draws cannot be exported to the program's data file "%s"!</translation>
    </message>
    <message>
        <source>Имя пользователя должно быть указано обязательно!</source>
        <translation>The user name must be given!</translation>
    </message>
    <message>
        <source>Указан некорректный адрес электронной почты!</source>
        <translation>The e-mail address is invalid!</translation>
    </message>
    <message>
        <source>Порт proxy-сервера должен быть от %d до %d</source>
        <translation>The proxy server port must be from %d to %d</translation>
    </message>
    <message>
        <source>Переходы чисел между 2 тиражами без учета позиции</source>
        <translation>Number transitions between 2 draws, position ignored</translation>
    </message>
    <message>
        <source>Переходы чисел между 2 тиражами с учетом позиции</source>
        <translation>Number transitions between 2 draws, by position</translation>
    </message>
    <message>
        <source>Переходы чисел между 2 тиражами в %d позиции</source>
        <translation>Number transitions between 2 draws at position %d</translation>
    </message>
    <message>
        <source>Переходы чисел между 3 тиражами с учетом позиции</source>
        <translation>Number transitions between 3 draws, by position</translation>
    </message>
    <message>
        <source>Переходы чисел между 3 тиражами в %d позиции</source>
        <translation>Number transitions between 3 draws at position %d</translation>
    </message>
    <message>
        <source>Переходы каналов между 2 тиражами без учета позиции</source>
        <translation>Channel transitions between 2 draws, position ignored</translation>
    </message>
    <message>
        <source>Переходы каналов между 2 тиражами с учетом позиции</source>
        <translation>Channel transitions between 2 draws, by position</translation>
    </message>
    <message>
        <source>Переходы каналов между 2 тиражами в %d позиции</source>
        <translation>Channel transitions between 2 draws at position %d</translation>
    </message>
    <message>
        <source>Переходы каналов между 3 тиражами с учетом позиции</source>
        <translation>Channel transitions between 3 draws, by position</translation>
    </message>
    <message>
        <source>Переходы каналов между 3 тиражами в %d позиции</source>
        <translation>Channel transitions between 3 draws at position %d</translation>
    </message>
    <message>
        <source>Переходы кол-ва чисел в %d канале между 2 тиражами</source>
        <translation>Transitions of the count of numbers in channel %d between 2 draws</translation>
    </message>
    <message>
        <source>Переходы кол-ва чисел в %d канале между 3 тиражами</source>
        <translation>Transitions of the count of numbers in channel %d between 3 draws</translation>
    </message>
    <message>
        <source>Переходы чисел в пределах каналов (все)</source>
        <translation>Number transitions within channels (all)</translation>
    </message>
    <message>
        <source>Переходы чисел в пределах каналов (N-M, удачные)</source>
        <translation>Number transitions within channels (N-M, hits)</translation>
    </message>
    <message>
        <source>Переходы чисел в пределах каналов (N-0, не удачные)</source>
        <translation>Number transitions within channels (N-0, misses)</translation>
    </message>
    <message>
        <source>Переходы чисел в пределах каналов (количество)</source>
        <translation>Number transitions within channels (count)</translation>
    </message>
    <message>
        <source>Переходы сегментов между 2 тиражами без учета позиции</source>
        <translation>Segment transitions between 2 draws, position ignored</translation>
    </message>
    <message>
        <source>Переходы сегментов между 2 тиражами с учетом позиции</source>
        <translation>Segment transitions between 2 draws, by position</translation>
    </message>
    <message>
        <source>Переходы сегментов между 2 тиражами в %d позиции</source>
        <translation>Segment transitions between 2 draws at position %d</translation>
    </message>
    <message>
        <source>Переходы сегментов между 3 тиражами с учетом позиции</source>
        <translation>Segment transitions between 3 draws, by position</translation>
    </message>
    <message>
        <source>Переходы сегментов между 3 тиражами в %d позиции</source>
        <translation>Segment transitions between 3 draws at position %d</translation>
    </message>
    <message>
        <source>Переходы кол-ва чисел в %d сегменте между 2 тиражами</source>
        <translation>Transitions of the count of numbers in segment %d between 2 draws</translation>
    </message>
    <message>
        <source>Переходы кол-ва чисел в %d сегменте между 3 тиражами</source>
        <translation>Transitions of the count of numbers in segment %d between 3 draws</translation>
    </message>
    <message>
        <source>Сочетания из 2 каналов по всем числам тиража</source>
        <translation>Pairs of channels over all numbers of the draw</translation>
    </message>
    <message>
        <source>Сочетания из 3 каналов по всем числам тиража</source>
        <translation>Triples of channels over all numbers of the draw</translation>
    </message>
    <message>
        <source>Сочетания из 4 каналов по всем числам тиража</source>
        <translation>Quadruples of channels over all numbers of the draw</translation>
    </message>
    <message>
        <source>Сочетания из 2 каналов по соседним числам</source>
        <translation>Pairs of channels of adjacent numbers</translation>
    </message>
    <message>
        <source>Сочетания из 3 каналов по соседним числам</source>
        <translation>Triples of channels of adjacent numbers</translation>
    </message>
    <message>
        <source>Сочетания из 4 каналов по соседним числам</source>
        <translation>Quadruples of channels of adjacent numbers</translation>
    </message>
    <message>
        <source>Сочетания из 2 чисел по всем числам тиража</source>
        <translation>Pairs of numbers over all numbers of the draw</translation>
    </message>
    <message>
        <source>Сочетания из 3 чисел по всем числам тиража</source>
        <translation>Triples of numbers over all numbers of the draw</translation>
    </message>
    <message>
        <source>Сочетания из 4 чисел по всем числам тиража</source>
        <translation>Quadruples of numbers over all numbers of the draw</translation>
    </message>
    <message>
        <source>Сочетания из 2 соседних чисел тиража</source>
        <translation>Pairs of adjacent numbers of the draw</translation>
    </message>
    <message>
        <source>Сочетания из 3 соседних чисел тиража</source>
        <translation>Triples of adjacent numbers of the draw</translation>
    </message>
    <message>
        <source>Сочетания из 4 соседних чисел тиража</source>
        <translation>Quadruples of adjacent numbers of the draw</translation>
    </message>
    <message>
        <source>Сочетания из 2-х чисел тиража начиная с %0:d позиции</source>
        <translation>Pairs of numbers of the draw from position %0:d</translation>
    </message>
    <message>
        <source>Сочетания из 3-х чисел тиража начиная с %0:d позиции</source>
        <translation>Triples of numbers of the draw from position %0:d</translation>
    </message>
    <message>
        <source>Сочетания из 4-х чисел тиража начиная с %0:d позиции</source>
        <translation>Quadruples of numbers of the draw from position %0:d</translation>
    </message>
    <message>
        <source>Сочетания из 2 чисел тиража по возрастанию</source>
        <translation>Pairs of numbers of the draw in ascending order</translation>
    </message>
    <message>
        <source>Сочетания из 3 чисел тиража по возрастанию</source>
        <translation>Triples of numbers of the draw in ascending order</translation>
    </message>
    <message>
        <source>Сочетания из 4 чисел тиража по возрастанию</source>
        <translation>Quadruples of numbers of the draw in ascending order</translation>
    </message>
    <message>
        <source>Сочетания из 2 столбцов по всем числам тиража</source>
        <translation>Pairs of columns over all numbers of the draw</translation>
    </message>
    <message>
        <source>Сочетания из 3 столбцов по всем числам тиража</source>
        <translation>Triples of columns over all numbers of the draw</translation>
    </message>
    <message>
        <source>Сочетания из 4 столбцов по всем числам тиража</source>
        <translation>Quadruples of columns over all numbers of the draw</translation>
    </message>
    <message>
        <source>Сочетания из 2 столбцов по соседним числам</source>
        <translation>Pairs of columns of adjacent numbers</translation>
    </message>
    <message>
        <source>Сочетания из 3 столбцов по соседним числам</source>
        <translation>Triples of columns of adjacent numbers</translation>
    </message>
    <message>
        <source>Сочетания из 4 столбцов по соседним числам</source>
        <translation>Quadruples of columns of adjacent numbers</translation>
    </message>
    <message>
        <source>Сочетания из 2 строк по всем числам тиража</source>
        <translation>Pairs of rows over all numbers of the draw</translation>
    </message>
    <message>
        <source>Сочетания из 3 строк по всем числам тиража</source>
        <translation>Triples of rows over all numbers of the draw</translation>
    </message>
    <message>
        <source>Сочетания из 4 строк по всем числам тиража</source>
        <translation>Quadruples of rows over all numbers of the draw</translation>
    </message>
    <message>
        <source>Сочетания из 2 строк по соседним числам</source>
        <translation>Pairs of rows of adjacent numbers</translation>
    </message>
    <message>
        <source>Сочетания из 3 строк по соседним числам</source>
        <translation>Triples of rows of adjacent numbers</translation>
    </message>
    <message>
        <source>Сочетания из 4 строк по соседним числам</source>
        <translation>Quadruples of rows of adjacent numbers</translation>
    </message>
    <message>
        <source>Повторяющиеся числа в 2-х тиражах подряд</source>
        <translation>Numbers repeated in 2 draws in a row</translation>
    </message>
    <message>
        <source>Повторяющиеся числа в 3-х тиражах подряд</source>
        <translation>Numbers repeated in 3 draws in a row</translation>
    </message>
    <message>
        <source>Повторяющиеся числа не более чем в 2-х тиражах</source>
        <translation>Numbers repeated in at most 2 draws</translation>
    </message>
    <message>
        <source>Повторяющиеся числа в 2-х тиражах через 1 тираж(а)</source>
        <translation>Numbers repeated in 2 draws 1 draw apart</translation>
    </message>
    <message>
        <source>Повторяющиеся числа в 2-х тиражах через 2 тираж(а)</source>
        <translation>Numbers repeated in 2 draws 2 draws apart</translation>
    </message>
    <message>
        <source>Повторяющиеся числа в 2-х тиражах через 3 тираж(а)</source>
        <translation>Numbers repeated in 2 draws 3 draws apart</translation>
    </message>
    <message>
        <source>Данные предыдущего тиража + 1</source>
        <translation>Previous draw + 1</translation>
    </message>
    <message>
        <source>Данные предыдущего тиража - 1</source>
        <translation>Previous draw - 1</translation>
    </message>
    <message>
        <source>Данные предыдущего тиража + 2</source>
        <translation>Previous draw + 2</translation>
    </message>
    <message>
        <source>Данные предыдущего тиража - 2</source>
        <translation>Previous draw - 2</translation>
    </message>
    <message>
        <source>Количество повторов в 2-х тиражах подряд</source>
        <translation>Count of repeats in 2 draws in a row</translation>
    </message>
    <message>
        <source>Количество повторов в 3-х тиражах подряд</source>
        <translation>Count of repeats in 3 draws in a row</translation>
    </message>
    <message>
        <source>Количество повторов не более чем в 2-х тиражах</source>
        <translation>Count of repeats in at most 2 draws</translation>
    </message>
    <message>
        <source>Количество повторов в 2-х тиражах через 1 тираж(а)</source>
        <translation>Count of repeats in 2 draws 1 draw apart</translation>
    </message>
    <message>
        <source>Количество повторов в 2-х тиражах через 2 тираж(а)</source>
        <translation>Count of repeats in 2 draws 2 draws apart</translation>
    </message>
    <message>
        <source>Количество повторов в 2-х тиражах через 3 тираж(а)</source>
        <translation>Count of repeats in 2 draws 3 draws apart</translation>
    </message>
    <message>
        <source>Количество совпадений "значений + 1"</source>
        <translation>Count of matches of "values + 1"</translation>
    </message>
    <message>
        <source>Количество совпадений "значений - 1"</source>
        <translation>Count of matches of "values - 1"</translation>
    </message>
    <message>
        <source>Количество совпадений "значений + 2"</source>
        <translation>Count of matches of "values + 2"</translation>
    </message>
    <message>
        <source>Количество совпадений "значений - 2"</source>
        <translation>Count of matches of "values - 2"</translation>
    </message>
    <message>
        <source>Сочетания из 2 сегментов по всем числам тиража</source>
        <translation>Pairs of segments over all numbers of the draw</translation>
    </message>
    <message>
        <source>Сочетания из 3 сегментов по всем числам тиража</source>
        <translation>Triples of segments over all numbers of the draw</translation>
    </message>
    <message>
        <source>Сочетания из 4 сегментов по всем числам тиража</source>
        <translation>Quadruples of segments over all numbers of the draw</translation>
    </message>
    <message>
        <source>Сочетания из 2 сегментов по соседним числам</source>
        <translation>Pairs of segments of adjacent numbers</translation>
    </message>
    <message>
        <source>Сочетания из 3 сегментов по соседним числам</source>
        <translation>Triples of segments of adjacent numbers</translation>
    </message>
    <message>
        <source>Сочетания из 4 сегментов по соседним числам</source>
        <translation>Quadruples of segments of adjacent numbers</translation>
    </message>
    <message>
        <source>Повторы чисел в нескольких тиражах подряд</source>
        <translation>Numbers repeated over several draws in a row</translation>
    </message>
    <message>
        <source>Интервалы между повторениями чисел</source>
        <translation>Intervals between repeats of numbers</translation>
    </message>
    <message>
        <source>Повторы каналов в нескольких тиражах подряд</source>
        <translation>Channels repeated over several draws in a row</translation>
    </message>
    <message>
        <source>Интервалы между повторениями каналов</source>
        <translation>Intervals between repeats of channels</translation>
    </message>
    <message>
        <source>Повторы сегментов в нескольких тиражах подряд</source>
        <translation>Segments repeated over several draws in a row</translation>
    </message>
    <message>
        <source>Интервалы между повторениями сегментов</source>
        <translation>Intervals between repeats of segments</translation>
    </message>
    <message>
        <source>Числа тиража</source>
        <translation>Draw numbers</translation>
    </message>
    <message>
        <source>Сумма чисел тиража</source>
        <translation>Sum of the draw numbers</translation>
    </message>
    <message>
        <source>Разности между числами тиража</source>
        <translation>Differences between the draw numbers</translation>
    </message>
    <message>
        <source>Каналы (группы чисел)</source>
        <translation>Channels (groups of numbers)</translation>
    </message>
    <message>
        <source>Матрица тиража</source>
        <translation>Draw matrix</translation>
    </message>
    <message>
        <source>Сегменты матрицы тиража</source>
        <translation>Segments of the draw matrix</translation>
    </message>
    <message>
        <source>Последовательности чисел в одном тираже</source>
        <translation>Sequences of numbers in one draw</translation>
    </message>
    <message>
        <source>Повторяющиеся числа в нескольких тиражах</source>
        <translation>Numbers repeated over several draws</translation>
    </message>
    <message>
        <source>Серии (цепочки) значений</source>
        <translation>Series (chains) of values</translation>
    </message>
    <message>
        <source>Периоды повторения значений</source>
        <translation>Repeat periods of values</translation>
    </message>
    <message>
        <source>Переходы (изменения) значений между тиражами</source>
        <translation>Transitions (changes) of values between draws</translation>
    </message>
    <message>
        <source>Характеристическое число Сельвара</source>
        <translation>Selvar characteristic number</translation>
    </message>
    <message>
        <source>Методы шинковки</source>
        <translation>Shredding methods</translation>
    </message>
    <message>
        <source>Не удалось получить монопольный доступ к папке данных "%s"!<byte value="xd" /><byte value="xd" />Ею пользуется другая запущенная программа (Velmora_5x50 или velmora-cli). Повторите команду после ее завершения.</source>
        <translation>Could not get exclusive access to the data folder "%s"!<byte value="xd" /><byte value="xd" />Another running program (Velmora_5x50 or velmora-cli) is using it. Repeat the command after it has finished.</translation>
    </message>
    <message>
        <source>Не удалось получить монопольный доступ к папке данных "%s"!<byte value="xd" /><byte value="xd" />%s</source>
        <translation>Could not get exclusive access to the data folder "%s"!<byte value="xd" /><byte value="xd" />%s</translation>
    </message>
    <message>
        <source>Сайт лотереи</source>
        <translation>Lottery website</translation>
    </message>
    <message>
        <source>Официальный сайт проекта</source>
        <translation>Official project website</translation>
    </message>
    <message>
        <source>Наш блог</source>
        <translation>Our blog</translation>
    </message>
    <message>
        <source>Наш видеоблог</source>
        <translation>Our video blog</translation>
    </message>
    <message>
        <source>Статьи для начинающих</source>
        <translation>Articles for beginners</translation>
    </message>
    <message>
        <source>Страница в соцсети "В контакте"</source>
        <translation>Our page on "VKontakte"</translation>
    </message>
    <message>
        <source>Страница в соцсети "Одноклассники"</source>
        <translation>Our page on "Odnoklassniki"</translation>
    </message>
    <message>
        <source>Страница автора</source>
        <translation>Author's page</translation>
    </message>
    <message>
        <source>Канал в Telegram</source>
        <translation>Telegram channel</translation>
    </message>
    <message>
        <source>Ошибка записи в файл "%s"!<byte value="xd" /><byte value="xd" />%s</source>
        <translation>Error writing the file "%s"!<byte value="xd" /><byte value="xd" />%s</translation>
    </message>
    <message>
        <source>Нельзя экспортировать в файл данных программы "%s"!</source>
        <translation>Cannot export to the program's data file "%s"!</translation>
    </message>
    <message>
        <source>Экспорт в файл "%s"...</source>
        <translation>Exporting to the file "%s"...</translation>
    </message>
    <message>
        <source>Не удается создать книгу</source>
        <translation>Cannot create the workbook</translation>
    </message>
    <message>
        <source>%s (лист %d из %d)</source>
        <translation>%s (sheet %d of %d)</translation>
    </message>
    <message>
        <source>Экспорт в файл "%s" ( завершено %d %% )...</source>
        <translation>Exporting to the file "%s" ( %d %% done )...</translation>
    </message>
    <message>
        <source>Остановка экспорта в файл "%s"...</source>
        <translation>Stopping the export to the file "%s"...</translation>
    </message>
    <message>
        <source>Некорректная комбинация: "%s"!</source>
        <translation>Invalid combination: "%s"!</translation>
    </message>
    <message>
        <source>Загрузка архива тиражей...</source>
        <translation>Downloading the draw archive...</translation>
    </message>
    <message>
        <source>дата "%s" не является датой</source>
        <translation>the date "%s" is not a date</translation>
    </message>
    <message>
        <source>дата %s позже сегодняшней</source>
        <translation>the date %s is later than today</translation>
    </message>
    <message>
        <source>тираж от %s повторяется</source>
        <translation>the draw of %s is repeated</translation>
    </message>
    <message>
        <source>число</source>
        <translation>number</translation>
    </message>
    <message>
        <source>доп. число</source>
        <translation>extra number</translation>
    </message>
    <message>
        <source>строка %d: %s</source>
        <translation>row %d: %s</translation>
    </message>
    <message>
        <source>Неверный адрес "%s": нужен адрес http:// или https://</source>
        <translation>Invalid address "%s": an http:// or https:// address is needed</translation>
    </message>
    <message>
        <source>Файл сертификатов "%s" (параметр CAFile) не найден</source>
        <translation>The certificate file "%s" (setting CAFile) was not found</translation>
    </message>
    <message>
        <source>Не удалось создать HTTP-клиент</source>
        <translation>Could not create the HTTP client</translation>
    </message>
    <message>
        <source>Proxy-сервер %s отказал в доступе: неверное имя пользователя или пароль (HTTP %d)</source>
        <translation>The proxy server %s refused access: wrong user name or password (HTTP %d)</translation>
    </message>
    <message>
        <source>Proxy-сервер %s не открыл соединение (HTTP %d)</source>
        <translation>The proxy server %s did not open the connection (HTTP %d)</translation>
    </message>
    <message>
        <source>Сервер %s не ответил за %d с (время ожидания ответа истекло)</source>
        <translation>The server %s did not answer within %d s (the reply timed out)</translation>
    </message>
    <message>
        <source>Ответ сервера %s не получен целиком за %d с (общее время запроса истекло)</source>
        <translation>The reply of the server %s did not arrive whole within %d s (the request time limit passed)</translation>
    </message>
    <message>
        <source>Ответ сервера %s слишком велик (больше %d байт)</source>
        <translation>The reply of the server %s is too large (more than %d bytes)</translation>
    </message>
    <message>
        <source>Ошибка записи полученного файла на диск</source>
        <translation>Error writing the received file to disk</translation>
    </message>
    <message>
        <source>Не удалось соединиться с сервером %s за %d с (%s)</source>
        <translation>Could not connect to the server %s within %d s (%s)</translation>
    </message>
    <message>
        <source>Сервер %s вернул ошибку HTTP %d</source>
        <translation>The server %s returned the HTTP error %d</translation>
    </message>
    <message>
        <source>Сервер %s вернул ошибку HTTP %d: %s</source>
        <translation>The server %s returned the HTTP error %d: %s</translation>
    </message>
    <message>
        <source>Сервер %s не найден: проверьте адрес и подключение к интернету</source>
        <translation>The server %s was not found: check the address and the Internet connection</translation>
    </message>
    <message>
        <source>Proxy-сервер %s не найден: проверьте его адрес в настройках</source>
        <translation>The proxy server %s was not found: check its address in the settings</translation>
    </message>
    <message>
        <source>Сервер %s отказал в соединении или недоступен</source>
        <translation>The server %s refused the connection or is unreachable</translation>
    </message>
    <message>
        <source>Proxy-сервер %s отказал в соединении или недоступен</source>
        <translation>The proxy server %s refused the connection or is unreachable</translation>
    </message>
    <message>
        <source>Сервер %s не ответил вовремя (время ожидания истекло)</source>
        <translation>The server %s did not answer in time (timed out)</translation>
    </message>
    <message>
        <source>Сертификат сервера %s не прошёл проверку, соединение отклонено</source>
        <translation>The certificate of the server %s failed verification, the connection was refused</translation>
    </message>
    <message>
        <source>Не удалось установить защищённое соединение с сервером %s</source>
        <translation>Could not establish a secure connection with the server %s</translation>
    </message>
    <message>
        <source>Соединение с сервером %s прервано до конца ответа</source>
        <translation>The connection with the server %s broke before the end of the reply</translation>
    </message>
    <message>
        <source>Сервер %s перенаправляет запрос слишком много раз</source>
        <translation>The server %s redirects the request too many times</translation>
    </message>
    <message>
        <source>Сервер %s прислал ответ, который не удалось прочитать</source>
        <translation>The server %s sent a reply that could not be read</translation>
    </message>
    <message>
        <source>Неверный адрес сервера %s</source>
        <translation>Invalid server address %s</translation>
    </message>
    <message>
        <source>Ошибка сети при обращении к серверу %s</source>
        <translation>Network error while contacting the server %s</translation>
    </message>
    <message>
        <source>Не удалось создать файл "%s"</source>
        <translation>Could not create the file "%s"</translation>
    </message>
    <message>
        <source>Ошибка записи файла "%s"</source>
        <translation>Error writing the file "%s"</translation>
    </message>
    <message>
        <source>Адрес должен начинаться с http:// или https://: "%s"!</source>
        <translation>The address must start with http:// or https://: "%s"!</translation>
    </message>
    <message>
        <source>Файл сертификатов не найден: "%s"!</source>
        <translation>Certificate file not found: "%s"!</translation>
    </message>
    <message>
        <source>Выполнение сценария...</source>
        <translation>Running the script...</translation>
    </message>
    <message>
        <source>Сценарий завершен!</source>
        <translation>The script has finished!</translation>
    </message>
    <message>
        <source>Сценарий остановлен!</source>
        <translation>The script was stopped!</translation>
    </message>
    <message>
        <source>Сценарий прерван из-за ошибки!</source>
        <translation>The script was interrupted by an error!</translation>
    </message>
    <message>
        <source>Тест остановлен, завершено циклов: %d из %d</source>
        <translation>The test was stopped, cycles completed: %d of %d</translation>
    </message>
    <message>
        <source>Тест прерван из-за ошибки, завершено циклов: %d из %d</source>
        <translation>The test was interrupted by an error, cycles completed: %d of %d</translation>
    </message>
    <message>
        <source>Количество комбинаций в списке: %d</source>
        <translation>Combinations in the list: %d</translation>
    </message>
    <message>
        <source>Размер файла "%s" (%d байт) не кратен размеру записи рейтинга (%d байт)</source>
        <translation>The size of the file "%s" (%d bytes) is not a multiple of the rating record size (%d bytes)</translation>
    </message>
    <message>
        <source>Ошибка чтения файла рейтинга!<byte value="xd" /><byte value="xd" />%s</source>
        <translation>Error reading the rating file!<byte value="xd" /><byte value="xd" />%s</translation>
    </message>
    <message>
        <source>Ошибка записи в файл рейтинга!<byte value="xd" /><byte value="xd" />%s</source>
        <translation>Error writing the rating file!<byte value="xd" /><byte value="xd" />%s</translation>
    </message>
    <message>
        <source>Обновление рейтинга...</source>
        <translation>Updating the rating...</translation>
    </message>
    <message>
        <source>Файл ставок не открыт!</source>
        <translation>The stakes file is not open!</translation>
    </message>
    <message>
        <source>Ошибка обновления рейтинга!<byte value="xd" /><byte value="xd" />%s</source>
        <translation>Error updating the rating!<byte value="xd" /><byte value="xd" />%s</translation>
    </message>
    <message>
        <source>Сортировка рейтинга...</source>
        <translation>Sorting the rating...</translation>
    </message>
    <message>
        <source>запись не завершена</source>
        <translation>the record is incomplete</translation>
    </message>
    <message>
        <source>Номер тиража должен быть от 1 до %d!</source>
        <translation>The draw number must be from 1 to %d!</translation>
    </message>
    <message>
        <source>Количество тиражей должно быть от 1 до %d!</source>
        <translation>The number of draws must be from 1 to %d!</translation>
    </message>
    <message>
        <source>Номер последнего тиража (%d + %d - 1) превышает %d!</source>
        <translation>The number of the last draw (%d + %d - 1) exceeds %d!</translation>
    </message>
    <message>
        <source>Необходимо ввести комментарий!</source>
        <translation>A comment must be entered!</translation>
    </message>
    <message>
        <source>Комментарий к ставке длиннее %d символов!</source>
        <translation>The stake comment is longer than %d characters!</translation>
    </message>
    <message>
        <source>Название системы должно быть указано обязательно!</source>
        <translation>The system name must be given!</translation>
    </message>
    <message>
        <source>Указано недопустимое количество используемых чисел!</source>
        <translation>The number of numbers used is not allowed!</translation>
    </message>
    <message>
        <source>Указан недопустимый размер блока!</source>
        <translation>The block size is not allowed!</translation>
    </message>
    <message>
        <source>Имя автора должно быть указано обязательно!</source>
        <translation>The author name must be given!</translation>
    </message>
    <message>
        <source>Описание системы должно быть указано обязательно!</source>
        <translation>The system description must be given!</translation>
    </message>
    <message>
        <source>Содержимое системы должно быть указано обязательно!</source>
        <translation>The system content must be given!</translation>
    </message>
    <message>
        <source>Строка %d системы содержит %d чисел вместо %d: "%s"</source>
        <translation>Line %d of the system holds %d numbers instead of %d: "%s"</translation>
    </message>
    <message>
        <source>"%s" не является целым числом (строка %d системы)</source>
        <translation>"%s" is not an integer (line %d of the system)</translation>
    </message>
    <message>
        <source>Индекс %d в строке %d системы вне диапазона 1..%d</source>
        <translation>Index %d in line %d of the system is outside 1..%d</translation>
    </message>
    <message>
        <source>Индекс %d повторяется в строке %d системы</source>
        <translation>Index %d is repeated in line %d of the system</translation>
    </message>
    <message>
        <source>Файл системы "%s" пуст</source>
        <translation>The system file "%s" is empty</translation>
    </message>
    <message>
        <source>Система для %d чисел не найдена или не загружена на компьютер!</source>
        <translation>The system for %d numbers was not found or has not been downloaded to this computer!</translation>
    </message>
    <message>
        <source>Ошибка загрузки комбинаций системы!<byte value="xd" /><byte value="xd" />%s</source>
        <translation>Error loading the system's combinations!<byte value="xd" /><byte value="xd" />%s</translation>
    </message>
    <message>
        <source>Ошибка удаления файла "%s"!<byte value="xd" /><byte value="xd" />%s</source>
        <translation>Error deleting the file "%s"!<byte value="xd" /><byte value="xd" />%s</translation>
    </message>
    <message>
        <source>"%s" не является корректной датой и временем</source>
        <translation>"%s" is not a valid date and time</translation>
    </message>
    <message>
        <source>Не удается создать файл</source>
        <translation>Cannot create the file</translation>
    </message>
    <message>
        <source>Ошибка записи в файл</source>
        <translation>Error writing the file</translation>
    </message>
    <message>
        <source>Не удается заменить файл</source>
        <translation>Cannot replace the file</translation>
    </message>
    <message>
        <source>Комментарий</source>
        <translation>Comment</translation>
    </message>
    <message>
        <source>Ставок</source>
        <translation>Stakes</translation>
    </message>
    <message>
        <source>Угадано</source>
        <translation>Hits</translation>
    </message>
    <message>
        <source>Среднее</source>
        <translation>Average</translation>
    </message>
    <message>
        <source>Профит</source>
        <translation>Profit</translation>
    </message>
    <message>
        <source>Ср. профит</source>
        <translation>Avg. profit</translation>
    </message>
    <message>
        <source>№ тиража</source>
        <translation>Draw No.</translation>
    </message>
    <message>
        <source>Вид ставки</source>
        <translation>Stake kind</translation>
    </message>
    <message>
        <source>Моя ставка</source>
        <translation>My stake</translation>
    </message>
    <message>
        <source>Выборка</source>
        <translation>Sample</translation>
    </message>
    <message>
        <source>Результаты тиража</source>
        <translation>Draw results</translation>
    </message>
    <message>
        <source>Совпадений</source>
        <translation>Matches</translation>
    </message>
    <message>
        <source>Совпадения</source>
        <translation>Matched</translation>
    </message>
    <message>
        <source>Проверка результатов ставок...</source>
        <translation>Checking the stake results...</translation>
    </message>
    <message>
        <source>Проверка результатов ставок ( завершено %.0f %% )...</source>
        <translation>Checking the stake results ( %.0f %% done )...</translation>
    </message>
    <message>
        <source>Ошибка проверки ставок!<byte value="xd" /><byte value="xd" />%s</source>
        <translation>Error checking the stakes!<byte value="xd" /><byte value="xd" />%s</translation>
    </message>
    <message>
        <source>Значение "%s" содержит управляющие символы (перевод строки, табуляцию) и не может быть записано в файл "%s"</source>
        <translation>The value "%s" contains control characters (line break, tab) and cannot be written to the file "%s"</translation>
    </message>
    <message>
        <source>Ошибка записи журнала: %s!</source>
        <translation>Error writing the log: %s!</translation>
    </message>
    <message>
        <source>Цикл: %d из %d (%d %%)</source>
        <translation>Cycle: %d of %d (%d %%)</translation>
    </message>
    <message>
        <source>Файл ставок используется другой программой</source>
        <translation>The stake file is in use by another program</translation>
    </message>
    <message>
        <source>Лист</source>
        <translation>Sheet</translation>
    </message>
    <message>
        <source>Вручную</source>
        <translation>By hand</translation>
    </message>
    <message>
        <source>Регуляр</source>
        <translation>Regular</translation>
    </message>
    <message>
        <source>Некорректные данные в кодировке Base64</source>
        <translation>Invalid Base64 data</translation>
    </message>
    <message>
        <source>Только новые ставки</source>
        <translation>New stakes only</translation>
    </message>
    <message>
        <source>Все создаваемые ставки</source>
        <translation>All stakes made</translation>
    </message>
    <message>
        <source>Некорректное значение элемента &lt;%s&gt;: %s</source>
        <translation>Invalid value of the element &lt;%s&gt;: %s</translation>
    </message>
    <message>
        <source>Не удается открыть файл &quot;%s&quot;: %s</source>
        <translation>Cannot open the file &quot;%s&quot;: %s</translation>
    </message>
    <message>
        <source>Ошибка чтения файла &quot;%s&quot;: %s</source>
        <translation>Error reading the file &quot;%s&quot;: %s</translation>
    </message>
    <message>
        <source>Папка данных &quot;%s&quot; не найдена: %s</source>
        <translation>The data folder &quot;%s&quot; was not found: %s</translation>
    </message>
    <message>
        <source>Путь &quot;%s&quot;, указанный как папка данных, не является папкой</source>
        <translation>The path &quot;%s&quot; given as the data folder is not a folder</translation>
    </message>
    <message>
        <source>Введена некорректная комбинация!<byte value="xd" /><byte value="xd" />Укажите 5 разных чисел от 1 до 50 и за ними 2 дополнительных числа от 1 до 10, разделяя их пробелом, запятой или точкой с запятой, например: 3 7 19 28 44 2 9</source>
        <translation>The combination entered is not valid!<byte value="xd" /><byte value="xd" />Enter 5 different numbers from 1 to 50 followed by 2 extra numbers from 1 to 10, separated by blanks, commas or semicolons, for example: 3 7 19 28 44 2 9</translation>
    </message>
    <message>
        <source>Не удалось найти пару идентификаторов &quot;%1:s&quot; - &quot;%2:s&quot; в тексте<byte value="xd" /><byte value="xd" />[%0:s]!</source>
        <translation>Could not find the pair of markers &quot;%1:s&quot; - &quot;%2:s&quot; in the text<byte value="xd" /><byte value="xd" />[%0:s]!</translation>
    </message>
    <message>
        <source>Адрес сайта с результатами тиражей еще не задан (в настройках стоит адрес-заполнитель &quot;%s&quot;), поэтому загрузка тиражей невозможна.</source>
        <translation>The address of the draw results site is not set yet (the settings hold the placeholder address &quot;%s&quot;), so draws cannot be downloaded.</translation>
    </message>
    <message>
        <source>&quot;%s&quot; не является целым числом!</source>
        <translation>&quot;%s&quot; is not an integer!</translation>
    </message>
    <message>
        <source>&quot;%s&quot; не является числом!</source>
        <translation>&quot;%s&quot; is not a number!</translation>
    </message>
    <message>
        <source>Исходный список (рекомендуется для тестов)</source>
        <translation>Initial list (recommended for tests)</translation>
    </message>
    <message>
        <source>Исходный список</source>
        <translation>Initial list</translation>
    </message>
    <message>
        <source>Удалить N последних тиражей (для прогнозов)</source>
        <translation>Remove the last N draws (for forecasts)</translation>
    </message>
    <message>
        <source>Исключить %d тиражей</source>
        <translation>Exclude %d draws</translation>
    </message>
    <message>
        <source>Текущий список (для последовательного выполнения)</source>
        <translation>Current list (for running lines in sequence)</translation>
    </message>
    <message>
        <source>Текущий список</source>
        <translation>Current list</translation>
    </message>
    <message>
        <source>Выбрать одну случайную комбинацию</source>
        <translation>Pick one random combination</translation>
    </message>
    <message>
        <source>Случайно</source>
        <translation>Random</translation>
    </message>
    <message>
        <source>Выбрать первую комбинацию в списке</source>
        <translation>Pick the first combination of the list</translation>
    </message>
    <message>
        <source>Первая</source>
        <translation>First</translation>
    </message>
    <message>
        <source>Выбрать последнюю комбинацию в списке</source>
        <translation>Pick the last combination of the list</translation>
    </message>
    <message>
        <source>Выбрать все комбинации (не рекомендуется)</source>
        <translation>Pick all combinations (not recommended)</translation>
    </message>
    <message>
        <source>Все</source>
        <translation>All</translation>
    </message>
    <message>
        <source>Системная игра [вся система]</source>
        <translation>System play [whole system]</translation>
    </message>
    <message>
        <source>Система [все]</source>
        <translation>System [all]</translation>
    </message>
    <message>
        <source>Системная игра [система * комбинации]</source>
        <translation>System play [system * combinations]</translation>
    </message>
    <message>
        <source>Система [комб]</source>
        <translation>System [combs]</translation>
    </message>
    <message>
        <source>Остановить</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Пропустить (игнорировать) эту ставку</source>
        <translation>Skip (ignore) this stake</translation>
    </message>
    <message>
        <source>Пропустить</source>
        <translation>Skip</translation>
    </message>
    <message>
        <source>Не делать ставок (для последовательного выполнения)</source>
        <translation>Make no stakes (for running lines in sequence)</translation>
    </message>
    <message>
        <source>Не делать ставок</source>
        <translation>No stakes</translation>
    </message>
    <message>
        <source>Опции</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Фильтр 1</source>
        <translation>Filter 1</translation>
    </message>
    <message>
        <source>Фильтр 2</source>
        <translation>Filter 2</translation>
    </message>
    <message>
        <source>Фильтр 3</source>
        <translation>Filter 3</translation>
    </message>
    <message>
        <source>Фильтр 4</source>
        <translation>Filter 4</translation>
    </message>
    <message>
        <source>Фильтр 5</source>
        <translation>Filter 5</translation>
    </message>
    <message>
        <source>Фильтр 6</source>
        <translation>Filter 6</translation>
    </message>
    <message>
        <source>Фильтр 7</source>
        <translation>Filter 7</translation>
    </message>
    <message>
        <source>Файлы сценариев (*.lsc)|*.lsc</source>
        <translation>Script files (*.lsc)|*.lsc</translation>
    </message>
    <message>
        <source>Метод расчета статистики &quot;%s&quot; не найден!<byte value="xd" />%s<byte value="xd" /><byte value="xd" />Возможно, Вы отключили данный метод расчета либо использовали сценарий от другой модификации программы.</source>
        <translation>The statistic method &quot;%s&quot; was not found!<byte value="xd" />%s<byte value="xd" /><byte value="xd" />You may have switched this method off, or the script comes from another edition of the program.</translation>
    </message>
    <message>
        <source>Вероятность того, что случайные ставки в том же количестве угадали бы в сумме не меньше чисел (малое значение: строка лучше случайности)</source>
        <translation>The probability that as many random stakes would have matched at least as many numbers in total (a small value: the line does better than chance)</translation>
    </message>
    <message>
        <source>Файл рейтинга &quot;%s&quot; поврежден и сохранен без изменений: %s<byte value="xd" /><byte value="xd" />Результаты проверки ставок в него не вносятся, пока рейтинг не будет пересчитан по ставкам.</source>
        <translation>The ratings file &quot;%s&quot; is damaged and was kept unchanged: %s<byte value="xd" /><byte value="xd" />Results of stake checks are not added to it until the ratings are recalculated from the stakes.</translation>
    </message>
    <message>
        <source>Пересчитать рейтинг только по текущим ставкам?<byte value="xd" /><byte value="xd" />Накопленные ранее данные по удаленным ставкам будут потеряны.</source>
        <translation>Recalculate the ratings from the current stakes only?<byte value="xd" /><byte value="xd" />The data gathered earlier from deleted stakes will be lost.</translation>
    </message>
    <message>
        <source>CSV-файлы (*.csv)|*.csv</source>
        <translation>CSV files (*.csv)|*.csv</translation>
    </message>
    <message>
        <source>Для построения графиков необходимо, чтобы в выделенном диапазоне данных было более одного тиража!</source>
        <translation>The graphs need more than one draw in the selected range!</translation>
    </message>
    <message>
        <source>Введена некорректная комбинация!<byte value="xd" /><byte value="xd" />Укажите 5 разных чисел от 1 до 50, разделяя их пробелом, запятой или точкой с запятой, например: 3 7 19 28 44</source>
        <translation>The combination entered is not valid!<byte value="xd" /><byte value="xd" />Enter 5 different numbers from 1 to 50, separated by blanks, commas or semicolons, for example: 3 7 19 28 44</translation>
    </message>
    <message>
        <source>Некорректное значение элемента %s: &quot;%s&quot;</source>
        <translation>Invalid value of the element %s: &quot;%s&quot;</translation>
    </message>
    <message>
        <source>Сервер каталога отклонил запрос: %s</source>
        <translation>The catalog server refused the request: %s</translation>
    </message>
    <message>
        <source>Ошибка загрузки списка систем!<byte value="xd" /><byte value="xd" />%s</source>
        <translation>Error loading the list of systems!<byte value="xd" /><byte value="xd" />%s</translation>
    </message>
    <message>
        <source>Ошибка загрузки системы #%d!<byte value="xd" /><byte value="xd" />%s</source>
        <translation>Error loading system #%d!<byte value="xd" /><byte value="xd" />%s</translation>
    </message>
    <message>
        <source>Ошибка сохранения системы #%d!<byte value="xd" /><byte value="xd" />%s</source>
        <translation>Error saving system #%d!<byte value="xd" /><byte value="xd" />%s</translation>
    </message>
    <message>
        <source>Ошибка добавления системы!<byte value="xd" /><byte value="xd" />%s</source>
        <translation>Error adding the system!<byte value="xd" /><byte value="xd" />%s</translation>
    </message>
    <message>
        <source>Ошибка изменения системы!<byte value="xd" /><byte value="xd" />%s</source>
        <translation>Error changing the system!<byte value="xd" /><byte value="xd" />%s</translation>
    </message>
    <message>
        <source>Ошибка удаления системы!<byte value="xd" /><byte value="xd" />%s</source>
        <translation>Error deleting the system!<byte value="xd" /><byte value="xd" />%s</translation>
    </message>
    <message>
        <source>&quot;%s&quot; не является целым числом</source>
        <translation>&quot;%s&quot; is not an integer</translation>
    </message>
    <message>
        <source>Не указан язык после --language</source>
        <translation>No language given after --language</translation>
    </message>
    <message>
        <source>Некорректный код языка: %s</source>
        <translation>Invalid language code: %s</translation>
    </message>
    <message>
        <source>Система для %d чисел не найдена или не загружена на компьютер!<byte value="xd" /><byte value="xd" />Перед системной игрой необходимо предварительно загрузить системы на Ваш компьютер через меню &quot;Системы&quot; - &quot;Загрузить&quot;.</source>
        <translation>The system for %d numbers was not found or has not been downloaded to this computer!<byte value="xd" /><byte value="xd" />Before system play, download the systems to your computer with the menu &quot;Systems&quot; - &quot;Download&quot;.</translation>
    </message>
</context>
<context>
    <name>velmora::Kernel</name>
    <message>
        <source>Удаление из списка комбинаций %d последних тиражей...</source>
        <translation>Removing the %d latest draws from the combination list...</translation>
    </message>
    <message>
        <source>Удаление из списка комбинаций %d последних тиражей ( завершено %.0f %% )...</source>
        <translation>Removing the %d latest draws from the combination list ( %.0f %% done )...</translation>
    </message>
    <message>
        <source>Последние тиражи</source>
        <translation>Latest draws</translation>
    </message>
</context>
<context>
    <name>velmora::Reader</name>
    <message>
        <source>обрыв файла</source>
        <translation>the file ends too early</translation>
    </message>
</context>
<context>
    <name>velmora::TSheetWriter</name>
    <message>
        <source>Не удается создать лист "%s"</source>
        <translation>Cannot create the sheet "%s"</translation>
    </message>
</context>
<context>
    <name>velmora::TstChanCount</name>
    <message>
        <source>Количество каналов в тираже</source>
        <translation>Number of channels in the draw</translation>
    </message>
</context>
<context>
    <name>velmora::TstChanValues</name>
    <message>
        <source>Количество чисел в канале</source>
        <translation>Count of numbers in a channel</translation>
    </message>
</context>
<context>
    <name>velmora::TstChannels</name>
    <message>
        <source>Каналы</source>
        <translation>Channels</translation>
    </message>
</context>
<context>
    <name>velmora::TstChnPeriods</name>
    <message>
        <source>Периоды повторения каналов</source>
        <translation>Repeat periods of channels</translation>
    </message>
</context>
<context>
    <name>velmora::TstChnValCnt</name>
    <message>
        <source>Количество чисел в %0:d канале</source>
        <translation>Count of numbers in channel %0:d</translation>
    </message>
</context>
<context>
    <name>velmora::TstColAjacent</name>
    <message>
        <source>Столбцы матрицы со смежными числами</source>
        <translation>Matrix columns with neighbouring numbers</translation>
    </message>
</context>
<context>
    <name>velmora::TstColAjacentCnt</name>
    <message>
        <source>Количество столбцов матрицы со смежными числами</source>
        <translation>Number of matrix columns with neighbouring numbers</translation>
    </message>
</context>
<context>
    <name>velmora::TstColCount</name>
    <message>
        <source>Количество не пустых столбцов в матрице</source>
        <translation>Number of non-empty matrix columns</translation>
    </message>
</context>
<context>
    <name>velmora::TstColMask</name>
    <message>
        <source>Сочетания столбцов матрицы</source>
        <translation>Combinations of matrix columns</translation>
    </message>
</context>
<context>
    <name>velmora::TstColValCnt</name>
    <message>
        <source>Количество чисел в %0:d столбце матрицы</source>
        <translation>Count of numbers in matrix column %0:d</translation>
    </message>
</context>
<context>
    <name>velmora::TstColValues</name>
    <message>
        <source>Количество чисел в столбце матрицы</source>
        <translation>Count of numbers in a matrix column</translation>
    </message>
</context>
<context>
    <name>velmora::TstColumns</name>
    <message>
        <source>Столбцы матрицы (не пустые)</source>
        <translation>Matrix columns (non-empty)</translation>
    </message>
</context>
<context>
    <name>velmora::TstCombDiffSeq2</name>
    <message>
        <source>Сочетания из 2 разностей между числами</source>
        <translation>Pairs of differences between numbers</translation>
    </message>
</context>
<context>
    <name>velmora::TstCombDiffSeq3</name>
    <message>
        <source>Сочетания из 3 разностей между числами</source>
        <translation>Triples of differences between numbers</translation>
    </message>
</context>
<context>
    <name>velmora::TstCombDiffSeq4</name>
    <message>
        <source>Сочетания из 4 разностей между числами</source>
        <translation>Quadruples of differences between numbers</translation>
    </message>
</context>
<context>
    <name>velmora::TstDiffMax</name>
    <message>
        <source>Максимальная разность между соседними позициями</source>
        <translation>Largest difference between adjacent positions</translation>
    </message>
</context>
<context>
    <name>velmora::TstDiffSame</name>
    <message>
        <source>Одинаковые разности между соседними позициями</source>
        <translation>Equal differences between adjacent positions</translation>
    </message>
</context>
<context>
    <name>velmora::TstDiffSameCnt</name>
    <message>
        <source>Количество одинаковых разностей между соседними позициями</source>
        <translation>Count of equal differences between adjacent positions</translation>
    </message>
</context>
<context>
    <name>velmora::TstDiffTotal</name>
    <message>
        <source>Все разности между соседними позициями</source>
        <translation>All differences between adjacent positions</translation>
    </message>
</context>
<context>
    <name>velmora::TstDigits</name>
    <message>
        <source>Цифры тиража</source>
        <translation>Draw digits</translation>
    </message>
</context>
<context>
    <name>velmora::TstEvenCount</name>
    <message>
        <source>Количество четных чисел в тираже (Ч:Н)</source>
        <translation>Count of even numbers in the draw (Ч:Н)</translation>
    </message>
</context>
<context>
    <name>velmora::TstEvenValues</name>
    <message>
        <source>Четные и нечетные числа в тираже (Чн..нЧ)</source>
        <translation>Even and odd numbers in the draw (Чн..нЧ)</translation>
    </message>
</context>
<context>
    <name>velmora::TstMinMaxDiffs</name>
    <message>
        <source>Разность между минимальным и максимальным числом</source>
        <translation>Difference between the smallest and the largest number</translation>
    </message>
</context>
<context>
    <name>velmora::TstNumPeriods</name>
    <message>
        <source>Периоды повторения чисел</source>
        <translation>Repeat periods of numbers</translation>
    </message>
</context>
<context>
    <name>velmora::TstPosExt</name>
    <message>
        <source>Extra (Bonus, Star...) - число (!без фильтра!)</source>
        <translation>Extra (Bonus, Star...) number (!no filter!)</translation>
    </message>
</context>
<context>
    <name>velmora::TstPosVal</name>
    <message>
        <source>Число в %0:d позиции тиража</source>
        <translation>Number at position %0:d of the draw</translation>
    </message>
</context>
<context>
    <name>velmora::TstPrimeCount</name>
    <message>
        <source>Количество простых чисел (П:С)</source>
        <translation>Count of prime numbers (П:С)</translation>
    </message>
</context>
<context>
    <name>velmora::TstPrimeValues</name>
    <message>
        <source>Простые и составные числа (ПС..СП)</source>
        <translation>Prime and composite numbers (ПС..СП)</translation>
    </message>
</context>
<context>
    <name>velmora::TstRowAjacent</name>
    <message>
        <source>Строки матрицы со смежными числами</source>
        <translation>Matrix rows with neighbouring numbers</translation>
    </message>
</context>
<context>
    <name>velmora::TstRowAjacentCnt</name>
    <message>
        <source>Количество строк матрицы со смежными числами</source>
        <translation>Number of matrix rows with neighbouring numbers</translation>
    </message>
</context>
<context>
    <name>velmora::TstRowCount</name>
    <message>
        <source>Количество не пустых строк в матрице</source>
        <translation>Number of non-empty matrix rows</translation>
    </message>
</context>
<context>
    <name>velmora::TstRowMask</name>
    <message>
        <source>Сочетания строк матрицы</source>
        <translation>Combinations of matrix rows</translation>
    </message>
</context>
<context>
    <name>velmora::TstRowValCnt</name>
    <message>
        <source>Количество чисел в %0:d строке матрицы</source>
        <translation>Count of numbers in matrix row %0:d</translation>
    </message>
</context>
<context>
    <name>velmora::TstRowValues</name>
    <message>
        <source>Количество чисел в строке матрицы</source>
        <translation>Count of numbers in a matrix row</translation>
    </message>
</context>
<context>
    <name>velmora::TstRows</name>
    <message>
        <source>Строки матрицы (не пустые)</source>
        <translation>Matrix rows (non-empty)</translation>
    </message>
</context>
<context>
    <name>velmora::TstSegmCount</name>
    <message>
        <source>Количество не пустых сегментов в матрице</source>
        <translation>Number of non-empty matrix segments</translation>
    </message>
</context>
<context>
    <name>velmora::TstSegmValues</name>
    <message>
        <source>Количество чисел в сегменте матрицы</source>
        <translation>Count of numbers in a matrix segment</translation>
    </message>
</context>
<context>
    <name>velmora::TstSegments</name>
    <message>
        <source>Сегменты матрицы</source>
        <translation>Matrix segments</translation>
    </message>
</context>
<context>
    <name>velmora::TstSelvar1</name>
    <message>
        <source>Число Сельвара 1 (только разность)</source>
        <translation>Selvar number 1 (difference only)</translation>
    </message>
</context>
<context>
    <name>velmora::TstSelvar2</name>
    <message>
        <source>Число Сельвара 2 (разность + сложение, если {0,1})</source>
        <translation>Selvar number 2 (difference + addition if {0,1})</translation>
    </message>
</context>
<context>
    <name>velmora::TstSelvar3</name>
    <message>
        <source>Числа Сельвара 3 (динамический, только фильтр)</source>
        <translation>Selvar numbers 3 (dynamic, filter only)</translation>
    </message>
</context>
<context>
    <name>velmora::TstSequenceCnt</name>
    <message>
        <source>Количество последовательностей в тираже</source>
        <translation>Number of sequences in the draw</translation>
    </message>
</context>
<context>
    <name>velmora::TstSequenceLen</name>
    <message>
        <source>Длина последовательности в тираже</source>
        <translation>Sequence length in the draw</translation>
    </message>
</context>
<context>
    <name>velmora::TstSequenceLenMax</name>
    <message>
        <source>Макс. длина последовательности в тираже</source>
        <translation>Longest sequence in the draw</translation>
    </message>
</context>
<context>
    <name>velmora::TstSgmPeriods</name>
    <message>
        <source>Периоды повторения сегментов</source>
        <translation>Repeat periods of segments</translation>
    </message>
</context>
<context>
    <name>velmora::TstSgmValCnt</name>
    <message>
        <source>Количество чисел в %0:d сегменте матрицы</source>
        <translation>Count of numbers in matrix segment %0:d</translation>
    </message>
</context>
<context>
    <name>velmora::TstSmallCount</name>
    <message>
        <source>Количество чисел из первой половины диапазона (1П:2П)</source>
        <translation>Count of numbers from the first half of the range (1П:2П)</translation>
    </message>
</context>
<context>
    <name>velmora::TstSmallValues</name>
    <message>
        <source>Числа из первой половины диапазона (12..12)</source>
        <translation>Numbers from the first half of the range (12..12)</translation>
    </message>
</context>
<context>
    <name>velmora::TstSum2To3</name>
    <message>
        <source>Сумма двух чисел тиража равна третьему числу</source>
        <translation>Sum of two draw numbers equals a third one</translation>
    </message>
</context>
<context>
    <name>velmora::TstSumChange</name>
    <message>
        <source>Сумма тиража: изменения (точно)</source>
        <translation>Draw sum: changes (exact)</translation>
    </message>
</context>
<context>
    <name>velmora::TstSumChangeSome</name>
    <message>
        <source>Сумма тиража: изменения (диапазон)</source>
        <translation>Draw sum: changes (range)</translation>
    </message>
</context>
<context>
    <name>velmora::TstSumEvenValues</name>
    <message>
        <source>Сумма тиража: только четные</source>
        <translation>Draw sum: even numbers only</translation>
    </message>
</context>
<context>
    <name>velmora::TstSumPrimeValues</name>
    <message>
        <source>Сумма тиража: только простые</source>
        <translation>Draw sum: prime numbers only</translation>
    </message>
</context>
<context>
    <name>velmora::TstSumRanges</name>
    <message>
        <source>Сумма тиража: диапазон %d (%d/%d)</source>
        <translation>Draw sum: range %d (%d/%d)</translation>
    </message>
</context>
<context>
    <name>velmora::TstSumTrend</name>
    <message>
        <source>Сумма тиража: направление изменения</source>
        <translation>Draw sum: direction of change</translation>
    </message>
</context>
<context>
    <name>velmora::TstSumValues</name>
    <message>
        <source>Сумма тиража: все значения</source>
        <translation>Draw sum: all values</translation>
    </message>
</context>
<context>
    <name>velmora::TstValues</name>
    <message>
        <source>Числа тиража</source>
        <translation>Draw numbers</translation>
    </message>
</context>
<context>
    <name>velmora::cli</name>
    <message>
        <source>Ошибка чтения файла конфигурации!<byte value="xd" /><byte value="xd" />%s</source>
        <translation>Error reading the settings file!<byte value="xd" /><byte value="xd" />%s</translation>
    </message>
    <message>
        <source>Смещение вне архива тиражей: %d</source>
        <translation>Offset outside the draw archive: %d</translation>
    </message>
    <message>
        <source>Тест сценария не завершен</source>
        <translation>The script test did not finish</translation>
    </message>
    <message>
        <source>Количество прогонов должно быть от 1 до 1000</source>
        <translation>The number of runs must be from 1 to 1000</translation>
    </message>
    <message>
        <source>Прогоны случая %s дали разные результаты: %d и %d</source>
        <translation>The runs of the case %s gave different results: %d and %d</translation>
    </message>
    <message>
        <source>Режим генерации должен быть от 0 до %d</source>
        <translation>The generation mode must be from 0 to %d</translation>
    </message>
    <message>
        <source>Параметр генерации длиннее %d символов</source>
        <translation>The generation parameter is longer than %d characters</translation>
    </message>
    <message>
        <source>Количество исключаемых тиражей не может быть отрицательным</source>
        <translation>The number of excluded draws cannot be negative</translation>
    </message>
    <message>
        <source>Некорректная сумма параметра %s: %s</source>
        <translation>Invalid amount of the option %s: %s</translation>
    </message>
    <message>
        <source>Размер матрицы должен быть от %d до %d</source>
        <translation>The matrix size must be from %d to %d</translation>
    </message>
    <message>
        <source>Размер канала должен быть от %d до %d</source>
        <translation>The channel size must be from %d to %d</translation>
    </message>
    <message>
        <source>Выигрыш задается как K=СУММА, K от 0 до %d: %s</source>
        <translation>A prize is given as K=AMOUNT, K from 0 to %d: %s</translation>
    </message>
    <message>
        <source>Не указана статистика фильтра (--stat CODE)</source>
        <translation>The statistic of the filter is not given (--stat CODE)</translation>
    </message>
    <message>
        <source>Укажите одно из двух: --keep (оставить выделенные) или --delete (удалить выделенные)</source>
        <translation>Give one of the two: --keep (keep the selected ones) or --delete (delete the selected ones)</translation>
    </message>
    <message>
        <source>Не указано ни одного значения фильтра (--value TEXT)</source>
        <translation>No filter value is given (--value TEXT)</translation>
    </message>
    <message>
        <source>Количество тиражей для расчета статистики должно быть не меньше 1</source>
        <translation>The number of draws for computing the statistics must be at least 1</translation>
    </message>
    <message>
        <source>Не указано количество тестов (--count K)</source>
        <translation>The number of tests is not given (--count K)</translation>
    </message>
    <message>
        <source>Архив тиражей пуст</source>
        <translation>The draw archive is empty</translation>
    </message>
    <message>
        <source>Количество тестов должно быть от 1 до %d</source>
        <translation>The number of tests must be from 1 to %d</translation>
    </message>
    <message>
        <source>Смещение должно быть от 0 до %d</source>
        <translation>The offset must be from 0 to %d</translation>
    </message>
    <message>
        <source>Номер столбца должен быть от 0 до %d</source>
        <translation>The column number must be from 0 to %d</translation>
    </message>
    <message>
        <source>Количество тиражей --limit не может быть отрицательным: %d</source>
        <translation>The number of draws --limit cannot be negative: %d</translation>
    </message>
    <message>
        <source>Строк с некорректными полями: %d (такие поля записаны как 0)</source>
        <translation>Lines with invalid fields: %d (such fields are written as 0)</translation>
    </message>
    <message>
        <source>Количество тиражей должно быть от 1 до 100000</source>
        <translation>The number of draws must be from 1 to 100000</translation>
    </message>
    <message>
        <source>Неизвестный список для экспорта: %s (draws, combs, stats или stakes)</source>
        <translation>Unknown list to export: %s (draws, combs, stats or stakes)</translation>
    </message>
    <message>
        <source>Неверный год --from-year: %d</source>
        <translation>Invalid year --from-year: %d</translation>
    </message>
    <message>
        <source>%s Укажите адрес в ключе "DrawsSite" раздела "WEB" файла Velmora_5x50.ini.</source>
        <translation>%s Set the address in the key "DrawsSite" of the section "WEB" of the file Velmora_5x50.ini.</translation>
    </message>
    <message>
        <source>Ошибка загрузки архива тиражей с сайта: "%s"</source>
        <translation>Error downloading the draw archive from the site: "%s"</translation>
    </message>
    <message>
        <source>Режим proxy --mode: 0 (без proxy), 1 (автоматический поиск) или 2 (ручной выбор)</source>
        <translation>Proxy mode --mode: 0 (no proxy), 1 (automatic detection) or 2 (manual choice)</translation>
    </message>
    <message>
        <source>Неизвестный столбец рейтинга: %s</source>
        <translation>Unknown rating column: %s</translation>
    </message>
    <message>
        <source>Режим эффективности должен быть 0, 1 или 2</source>
        <translation>The efficiency mode must be 0, 1 or 2</translation>
    </message>
    <message>
        <source>Номер строки рейтинга должен быть целым числом от 1: %s</source>
        <translation>The rating row number must be a whole number from 1: %s</translation>
    </message>
    <message>
        <source>Не указаны строки рейтинга ROW...</source>
        <translation>The rating rows ROW... are not given</translation>
    </message>
    <message>
        <source>Запись со индексом %d в файле данных не найдена!</source>
        <translation>The record with the index %d was not found in the data file!</translation>
    </message>
    <message>
        <source>%s<byte value="xd" /><byte value="xd" />Пересчитать рейтинг по ставкам: velmora-cli ratings refresh</source>
        <translation>%s<byte value="xd" /><byte value="xd" />To recompute the ratings from the stakes: velmora-cli ratings refresh</translation>
    </message>
    <message>
        <source>Обнаружен файл ставок устаревшей версии: "%s"</source>
        <translation>A stake file of an outdated version was found: "%s"</translation>
    </message>
    <message>
        <source>Не указан номер тиража --draw</source>
        <translation>The draw number --draw is not given</translation>
    </message>
    <message>
        <source>Не указана ставка --numbers</source>
        <translation>The stake --numbers is not given</translation>
    </message>
    <message>
        <source>Не указано условие --matches OP N</source>
        <translation>The condition --matches OP N is not given</translation>
    </message>
    <message>
        <source>Неизвестное условие --matches %s (eq, gt, ge, lt, le)</source>
        <translation>Unknown condition --matches %s (eq, gt, ge, lt, le)</translation>
    </message>
    <message>
        <source>Количество совпадений должно быть от 0 до 5: %s</source>
        <translation>The number of matches must be from 0 to 5: %s</translation>
    </message>
    <message>
        <source>Неизвестная команда stakes %s (list, add, check, delete, clear)</source>
        <translation>Unknown stakes command %s (list, add, check, delete, clear)</translation>
    </message>
    <message>
        <source>Количество потоков должно быть от 0 до 64</source>
        <translation>The number of threads must be from 0 to 64</translation>
    </message>
    <message>
        <source>Неизвестный код статистики: %s</source>
        <translation>Unknown statistic code: %s</translation>
    </message>
    <message>
        <source>Система #%d не найдена в списке систем сервера</source>
        <translation>The system #%d was not found in the server's list of systems</translation>
    </message>
    <message>
        <source>Некорректный номер системы: %s</source>
        <translation>Invalid system number: %s</translation>
    </message>
    <message>
        <source>Ошибка записи в файл конфигурации!<byte value="xd" /><byte value="xd" />%s</source>
        <translation>Error writing the configuration file!<byte value="xd" /><byte value="xd" />%s</translation>
    </message>
    <message>
        <source>Не указан номер системы ID</source>
        <translation>The system number ID is not given</translation>
    </message>
    <message>
        <source>Удалена система для того же количества чисел: %s</source>
        <translation>Deleted the system for the same count of numbers: %s</translation>
    </message>
    <message>
        <source>Некорректный номер системы --id</source>
        <translation>Invalid system number --id</translation>
    </message>
    <message>
        <source>Вы можете удалять только свои системы!</source>
        <translation>You can delete only your own systems!</translation>
    </message>
    <message>
        <source>Список комбинаций пуст</source>
        <translation>The combination list is empty</translation>
    </message>
    <message>
        <source>Неизвестная команда systems %s (user, list, download, put, delete, play)</source>
        <translation>Unknown systems command %s (user, list, download, put, delete, play)</translation>
    </message>
    <message>
        <source>Неизвестный случай замера: %s</source>
        <translation>Unknown benchmark case: %s</translation>
    </message>
    <message>
        <source>Архив тиражей уже есть: %s</source>
        <translation>The draw archive already exists: %s</translation>
    </message>
    <message>
        <source>Создан архив из %d случайных тиражей: %s</source>
        <translation>Created an archive of %d random draws: %s</translation>
    </message>
    <message>
        <source>Неизвестная команда сценария: %s (show, options, run, test)</source>
        <translation>Unknown script command: %s (show, options, run, test)</translation>
    </message>
    <message>
        <source>Не указаны имя и адрес электронной почты пользователя: задайте их командой velmora-cli systems user --name ИМЯ --mail АДРЕС</source>
        <translation>The user's name and e-mail address are not set: set them with the command velmora-cli systems user --name NAME --mail ADDRESS</translation>
    </message>
    <message>
        <source>сервер не вернул номер системы</source>
        <translation>the server did not return the system number</translation>
    </message>
    <message>
        <source>сервер не подтвердил удаление</source>
        <translation>the server did not confirm the deletion</translation>
    </message>
</context>
<context>
    <name>velmora::cli::Args</name>
    <message>
        <source>Не указано значение параметра %s</source>
        <translation>No value given for the option %s</translation>
    </message>
    <message>
        <source>Некорректное целое значение параметра %s: %s</source>
        <translation>Invalid integer value of the option %s: %s</translation>
    </message>
    <message>
        <source>Не указан параметр: %s</source>
        <translation>Missing argument: %s</translation>
    </message>
    <message>
        <source>Неизвестный параметр: %s</source>
        <translation>Unknown option: %s</translation>
    </message>
</context>
<context>
    <name>velmora::cli::TBenchEnv</name>
    <message>
        <source>Неизвестный код статистики: %s</source>
        <translation>Unknown statistic code: %s</translation>
    </message>
</context>
<context>
    <name>TIniFile</name>
    <message>
        <source>Не удается открыть файл "%s"</source>
        <translation>Cannot open the file "%s"</translation>
    </message>
    <message>
        <source>Не удается открыть файл "%s": это папка</source>
        <translation>Cannot open the file "%s": it is a folder</translation>
    </message>
</context>
</TS>
