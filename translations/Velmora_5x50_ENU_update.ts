<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ru_RU">
<context>
    <name>velmora</name>
    <message>
        <source>Обновлений не найдено!</source>
        <translation>No updates found!</translation>
    </message>
    <message>
        <source>&lt; Описание обновления не доступно &gt;</source>
        <translation>&lt; Update description not available &gt;</translation>
    </message>
    <message>
        <source>Эта копия программы установлена системой управления пакетами, и обновлять ее должна она (пакет &quot;%s&quot;).</source>
        <translation>This copy of the program was installed by the package manager, which must update it (package &quot;%s&quot;).</translation>
    </message>
    <message>
        <source>Файл &quot;%s&quot; не найден!</source>
        <translation>File &quot;%s&quot; not found!</translation>
    </message>
    <message>
        <source>Адрес &quot;%s&quot; отклонен: обновления загружаются только по защищенному протоколу https.</source>
        <translation>Address &quot;%s&quot; refused: updates are downloaded over the secure https protocol only.</translation>
    </message>
    <message>
        <source>Ожидание завершения процесса (файла) &quot;%s&quot; прервано в связи с превышением времени ожидания!</source>
        <translation>Waiting for the process (file) &quot;%s&quot; aborted because the waiting time was exceeded!</translation>
    </message>
    <message>
        <source>Открытый ключ проверки обновлений не читается.</source>
        <translation>The public key for checking updates cannot be read.</translation>
    </message>
    <message>
        <source>Поиск доступных обновлений...</source>
        <translation>Searching for available updates...</translation>
    </message>
    <message>
        <source>Ошибка поиска обновлений!<byte value="xd" /><byte value="xd" />%s</source>
        <translation>Error searching for updates!<byte value="xd" /><byte value="xd" />%s</translation>
    </message>
    <message>
        <source>Загрузка и установка обновления &quot;%s&quot;...</source>
        <translation>Downloading and installing update &quot;%s&quot;...</translation>
    </message>
    <message>
        <source>Неверная контрольная сумма скачанного файла.</source>
        <translation>Wrong checksum of the downloaded file.</translation>
    </message>
    <message>
        <source>Пакет обновления не подписан (нет ключа &quot;SignatureEd25519&quot;); он не будет запущен.</source>
        <translation>The update package is not signed (no &quot;SignatureEd25519&quot; key); it will not be run.</translation>
    </message>
    <message>
        <source>Подпись пакета обновления неверна; он не будет запущен.</source>
        <translation>The signature of the update package is wrong; it will not be run.</translation>
    </message>
    <message>
        <source>Пакет обновления &quot;%s&quot; завершился с кодом %d.</source>
        <translation>The update package &quot;%s&quot; ended with exit code %d.</translation>
    </message>
    <message>
        <source>Установка обновления &quot;%s&quot; успешно выполнена.<byte value="xd" /><byte value="xd" />Для завершения установки необходимо перезапустить программу!</source>
        <translation>Installation of update &quot;%s&quot; completed successfully.<byte value="xd" /><byte value="xd" />The program must be restarted to complete the installation!</translation>
    </message>
    <message>
        <source>Ошибка установки обновления!<byte value="xd" /><byte value="xd" />%s</source>
        <translation>Error installing the update!<byte value="xd" /><byte value="xd" />%s</translation>
    </message>
    <message>
        <source>Ошибка системы самообновления программы!<byte value="xd" /><byte value="xd" />%s</source>
        <translation>Self-update system error!<byte value="xd" /><byte value="xd" />%s</translation>
    </message>
    <message>
        <source>Текущая версия программы:</source>
        <translation>Current program version:</translation>
    </message>
    <message>
        <source>Новая версия программы:</source>
        <translation>New program version:</translation>
    </message>
    <message>
        <source>Описание версии:</source>
        <translation>Version description:</translation>
    </message>
    <message>
        <source>Установка без подтверждения: укажите --yes.</source>
        <translation>Installing without confirmation: give --yes.</translation>
    </message>
    <message>
        <source>Установить это обновление? [y/N] </source>
        <translation>Install this update? [y/N] </translation>
    </message>
    <message>
        <source>Адрес сервера обновлений еще не задан (в настройках стоит адрес-заполнитель &quot;%s&quot;). Укажите его в ключе &quot;UpdateSite&quot; раздела &quot;WEB&quot; файла Velmora_5x50.ini или в --descriptor.</source>
        <translation>The update server address is not set yet (the settings hold the placeholder address &quot;%s&quot;). Set it in the key &quot;UpdateSite&quot; of the section &quot;WEB&quot; of Velmora_5x50.ini or give --descriptor.</translation>
    </message>
    <message>
        <source>Неизвестная команда: %s</source>
        <translation>Unknown command: %s</translation>
    </message>
</context>
<context>
    <name>TFormUpdate</name>
    <message>
        <source>Найдена новая версия программы</source>
        <translation>A new version of the program was found</translation>
    </message>
    <message>
        <source>Текущая версия программы:</source>
        <translation>Current program version:</translation>
    </message>
    <message>
        <source>Новая версия программы:</source>
        <translation>New program version:</translation>
    </message>
    <message>
        <source>Описание версии:</source>
        <translation>Version description:</translation>
    </message>
    <message>
        <source>Установить</source>
        <translation>Install</translation>
    </message>
    <message>
        <source>Установить это обновление</source>
        <translation>Install this update</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Отказаться от обновления</source>
        <translation>Decline the update</translation>
    </message>
    <message>
        <source>Адрес сервера обновлений еще не задан (в настройках стоит адрес-заполнитель &quot;%s&quot;). Укажите его на странице &quot;Сеть&quot; параметров программы.</source>
        <translation>The update server address is not set yet (the settings hold the placeholder address &quot;%s&quot;). Set it on the page &quot;Сеть&quot; of the program settings.</translation>
    </message>
</context>
<context>
    <name>TTemplateMain</name>
    <message>
        <source>Поиск обновлений</source>
        <translation>Check for updates</translation>
    </message>
</context>
</TS>
