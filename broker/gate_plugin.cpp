// The broker's plugin for a class opened by the class view: it lets in whom the class's gate
// lets in (class_gate.h) and keeps each to its own topics. Its options, from the broker's
// configuration: plugin_opt_class, plugin_opt_code and plugin_opt_teacher.
//
// A name stays taken while its client is connected. The same client coming back (its client
// id, which Kelvira makes anew for each run) takes its place again, so a group whose line
// dropped without the broker noticing is not shut out by its own ghost.
#include <mosquitto.h>
#include <mosquitto_broker.h>
#include <mosquitto_plugin.h>

#include <cstring>
#include <map>
#include <string>

#include "class_gate.h"

namespace {

struct Holder {
    const mosquitto* client;
    std::string clientId;
};

struct Plugin {
    mosquitto_plugin_id_t* id = nullptr;
    ClassGate::Gate gate;
    std::map<std::string, Holder> signedIn;  // by user
};

Plugin plugin;

std::string ClientId(mosquitto* client) {
    const char* id = mosquitto_client_id(client);
    return id ? id : "";
}

int OnBasicAuth(int, void* event, void*) {
    auto* e = static_cast<mosquitto_evt_basic_auth*>(event);
    const std::string id = ClientId(e->client);
    bool inUse = false;
    if (e->username) {
        const auto held = plugin.signedIn.find(e->username);
        inUse = held != plugin.signedIn.end() && held->second.clientId != id;
    }
    const ClassGate::Entry entry = ClassGate::SignIn(plugin.gate, e->username, e->password, inUse);
    if (entry != ClassGate::Entry::Teacher && entry != ClassGate::Entry::Group) {
        mosquitto_log_printf(MOSQ_LOG_NOTICE, "%s",
                             ClassGate::RefusalLine(entry, e->username).c_str());
        return MOSQ_ERR_AUTH;
    }
    plugin.signedIn[e->username] = {e->client, id};
    return MOSQ_ERR_SUCCESS;
}

int OnAclCheck(int, void* event, void*) {
    auto* e = static_cast<mosquitto_evt_acl_check*>(event);
    const char* user = mosquitto_client_username(e->client);
    if (!user || !e->topic) return MOSQ_ERR_ACL_DENIED;
    bool allowed = false;
    if (e->access == MOSQ_ACL_WRITE)
        allowed = ClassGate::MayWrite(plugin.gate, user, e->topic);
    else if (e->access == MOSQ_ACL_READ || e->access == MOSQ_ACL_SUBSCRIBE)
        allowed = ClassGate::MayRead(plugin.gate, user, e->topic);
    return allowed ? MOSQ_ERR_SUCCESS : MOSQ_ERR_ACL_DENIED;
}

int OnDisconnect(int, void* event, void*) {
    auto* e = static_cast<mosquitto_evt_disconnect*>(event);
    const char* user = mosquitto_client_username(e->client);
    if (!user) return MOSQ_ERR_SUCCESS;
    const auto held = plugin.signedIn.find(user);
    // Only the client that holds the name gives it up: not one refused, nor one taken over.
    if (held != plugin.signedIn.end() && held->second.client == e->client)
        plugin.signedIn.erase(held);
    return MOSQ_ERR_SUCCESS;
}

}  // namespace

extern "C" {

mosq_plugin_EXPORT int mosquitto_plugin_version(int count, const int* versions) {
    for (int i = 0; i < count; ++i)
        if (versions[i] == 5) return 5;
    return -1;
}

mosq_plugin_EXPORT int mosquitto_plugin_init(mosquitto_plugin_id_t* id, void**,
                                             mosquitto_opt* options, int count) {
    plugin.id = id;
    for (int i = 0; i < count; ++i) {
        const std::string key = options[i].key ? options[i].key : "";
        const std::string value = options[i].value ? options[i].value : "";
        if (key == "class")
            plugin.gate.className = value;
        else if (key == "code")
            plugin.gate.code = value;
        else if (key == "teacher")
            plugin.gate.teacher = value;
    }
    if (!ClassGate::IsTopicLevel(plugin.gate.className) || plugin.gate.code.empty() ||
        plugin.gate.teacher.empty()) {
        mosquitto_log_printf(MOSQ_LOG_ERR, "kelvira-gate: needs a class, a code and a teacher");
        return MOSQ_ERR_INVAL;
    }
    int rc = mosquitto_callback_register(id, MOSQ_EVT_BASIC_AUTH, OnBasicAuth, nullptr, nullptr);
    if (rc == MOSQ_ERR_SUCCESS)
        rc = mosquitto_callback_register(id, MOSQ_EVT_ACL_CHECK, OnAclCheck, nullptr, nullptr);
    if (rc == MOSQ_ERR_SUCCESS)
        rc = mosquitto_callback_register(id, MOSQ_EVT_DISCONNECT, OnDisconnect, nullptr, nullptr);
    return rc;
}

mosq_plugin_EXPORT int mosquitto_plugin_cleanup(void*, mosquitto_opt*, int) {
    mosquitto_callback_unregister(plugin.id, MOSQ_EVT_BASIC_AUTH, OnBasicAuth, nullptr);
    mosquitto_callback_unregister(plugin.id, MOSQ_EVT_ACL_CHECK, OnAclCheck, nullptr);
    mosquitto_callback_unregister(plugin.id, MOSQ_EVT_DISCONNECT, OnDisconnect, nullptr);
    plugin.signedIn.clear();
    return MOSQ_ERR_SUCCESS;
}

}  // extern "C"
