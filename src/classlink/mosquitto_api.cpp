#include "classlink/mosquitto_api.h"

#include <mutex>

#include "platform/shared_library.h"

namespace ClassLink {

namespace {

template <typename Function>
bool Find(void* library, const char* name, Function& out) {
    out = reinterpret_cast<Function>(SharedLibrary::Function(library, name));
    return out != nullptr;
}

}  // namespace

const MosquittoApi* Mosquitto(QString* error) {
    static std::once_flag once;
    static MosquittoApi api;
    static bool loaded = false;
    static QString why;
    std::call_once(once, [] {
        QString reason;
        void* library = SharedLibrary::Open("mosquitto", 1, reason);
        if (!library) {
            why = QStringLiteral("cannot load libmosquitto: ") + reason;
            return;
        }
        loaded = Find(library, "mosquitto_lib_init", api.lib_init) &&
                 Find(library, "mosquitto_new", api.create) &&
                 Find(library, "mosquitto_destroy", api.destroy) &&
                 Find(library, "mosquitto_int_option", api.int_option) &&
                 Find(library, "mosquitto_connect_v5_callback_set", api.connect_v5_callback_set) &&
                 Find(library, "mosquitto_disconnect_v5_callback_set",
                      api.disconnect_v5_callback_set) &&
                 Find(library, "mosquitto_publish_v5_callback_set", api.publish_v5_callback_set) &&
                 Find(library, "mosquitto_message_callback_set", api.message_callback_set) &&
                 Find(library, "mosquitto_log_callback_set", api.log_callback_set) &&
                 Find(library, "mosquitto_username_pw_set", api.username_pw_set) &&
                 Find(library, "mosquitto_tls_set", api.tls_set) &&
                 Find(library, "mosquitto_will_set", api.will_set) &&
                 Find(library, "mosquitto_connect_async", api.connect_async) &&
                 Find(library, "mosquitto_reconnect_async", api.reconnect_async) &&
                 Find(library, "mosquitto_disconnect", api.disconnect) &&
                 Find(library, "mosquitto_loop", api.loop) &&
                 Find(library, "mosquitto_subscribe", api.subscribe) &&
                 Find(library, "mosquitto_publish", api.publish) &&
                 Find(library, "mosquitto_strerror", api.strerror);
        if (!loaded) {
            why = QStringLiteral("libmosquitto lacks a function Kelvira needs");
            return;
        }
        api.lib_init();
    });
    if (error) *error = why;
    return loaded ? &api : nullptr;
}

}  // namespace ClassLink
