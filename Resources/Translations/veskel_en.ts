<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>SceneCount</name>
    <message numerus="yes">
        <source>%n scene(s)</source>
        <translation>
            <numerusform>%n scene</numerusform>
            <numerusform>%n scenes</numerusform>
        </translation>
    </message>
</context>
</TS>
