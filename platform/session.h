#pragma once
// A session stands for one thread of the program: the main frame has the first, every list window and
// splash screen gets its own. It owns the request and response values, the record-navigation request,
// the data store (managers and record buffers) and the ditto copies of its forms.

#include "messages.h"
#include "store/datastore.h"
#include "store/record.h"

#include <QHash>
#include <QString>
#include <cstdint>
#include <memory>

namespace nm::platform {

enum class Request : std::uint8_t { None = 0, Insert = 1, Change = 2, Delete = 3, Select = 4, View = 6 };
enum class Response : std::uint8_t { None = 0, Completed = 1, Cancelled = 2 };

class MessageService;

class Session {
public:
    Session(MessageService& messages, QString directory = QString())
        : m_messages(messages), m_store(std::make_unique<store::DataStore>(messages, std::move(directory))) {}

    MessageService& messages() { return m_messages; }
    store::DataStore& store() { return *m_store; }

    Request request = Request::None;
    Response response = Response::None;
    int navigationRequest = 0;

    // One ditto copy per form kind, living as long as the session; starts blank.
    store::Record& ditto(const QString& formName, store::TableId table) {
        auto it = m_ditto.find(formName);
        if (it == m_ditto.end())
            it = m_ditto.insert(formName, store::Record(table));
        return it.value();
    }

private:
    MessageService& m_messages;
    std::unique_ptr<store::DataStore> m_store;
    QHash<QString, store::Record> m_ditto;
};

}  // namespace nm::platform
