// libmosquitto, loaded when a class is first joined rather than when the program starts: a
// lesson without a class never maps the library and the TLS libraries it brings.
#pragma once

#include <mosquitto.h>

#include <QString>

namespace ClassLink {

struct MosquittoApi {
    decltype(&mosquitto_lib_init) lib_init;
    decltype(&mosquitto_new) create;
    decltype(&mosquitto_destroy) destroy;
    decltype(&mosquitto_int_option) int_option;
    decltype(&mosquitto_connect_v5_callback_set) connect_v5_callback_set;
    decltype(&mosquitto_disconnect_v5_callback_set) disconnect_v5_callback_set;
    decltype(&mosquitto_publish_v5_callback_set) publish_v5_callback_set;
    decltype(&mosquitto_message_callback_set) message_callback_set;
    decltype(&mosquitto_log_callback_set) log_callback_set;
    decltype(&mosquitto_username_pw_set) username_pw_set;
    decltype(&mosquitto_tls_set) tls_set;
    decltype(&mosquitto_will_set) will_set;
    decltype(&mosquitto_connect_async) connect_async;
    decltype(&mosquitto_reconnect_async) reconnect_async;
    decltype(&mosquitto_disconnect) disconnect;
    decltype(&mosquitto_loop) loop;
    decltype(&mosquitto_subscribe) subscribe;
    decltype(&mosquitto_publish) publish;
    decltype(&mosquitto_strerror) strerror;
};

// The library's functions, loaded and initialised on the first call; nullptr when it cannot
// be loaded, and `error` then says why.
const MosquittoApi* Mosquitto(QString* error = nullptr);

}  // namespace ClassLink
