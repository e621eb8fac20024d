// The leak suppressions of every program that runs the Qt shell under the leak sanitizer.
//
// Only caches that third-party libraries keep on purpose until the process ends are named, each by
// its own function; an allocation made by our code stays reported even when Qt's event dispatch
// called it (a slot, a dialog, an event handler).
extern "C" const char* __lsan_default_suppressions() {
    return
        // fontconfig's configuration and pattern caches, built once per process.
        "leak:FcConfigInit\n"
        "leak:FcInitLoadConfigAndFonts\n"
        "leak:FcConfigSubstituteWithPat\n"
        "leak:FcFontRenderPrepare\n"
        "leak:FcPatternCreate\n"
        "leak:FcPatternDuplicate\n"
        "leak:FcFontSetCreate\n"
        "leak:FcCharSetCreate\n"
        "leak:FcLangSetCreate\n"
        "leak:FcStrCopy\n"
        // GLib's type system and quarks live until exit.
        "leak:g_type_register_static\n"
        "leak:g_quark_from_static_string\n"
        // D-Bus connection bookkeeping of the platform theme.
        "leak:dbus_connection_open_private\n";
}
