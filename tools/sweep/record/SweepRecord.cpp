#include "tools/sweep/record/SweepRecord.h"

#include <nlohmann/json.hpp>

#include "Version.h"
#include "tools/sweep/SweepOptions.h"
#include "tools/sweep/record/RecordFields.h"
#include "tools/sweep/record/RecordText.h"

namespace {

using Json = nlohmann::ordered_json;

const SweepState states[] = {SweepState::Running, SweepState::Complete, SweepState::Interrupted,
                             SweepState::WriteFailed};
const FileContent contents[] = {FileContent::Table, FileContent::Summary};

// The JSON value of each kind of field; texts keep every byte.
Json valueOf(const std::string& text) {
    return keepEveryByte(text);
}
Json valueOf(bool flag) {
    return flag;
}
Json valueOf(std::uint64_t number) {
    return number;
}
Json valueOf(const Shard& shard) {
    return shard.text();
}
Json valueOf(SweepState state) {
    return stateName(state);
}
Json valueOf(FileContent content) {
    return contentName(content);
}
template <FieldedRecord Record>
Json objectOf(const Record& record);
template <FieldedRecord Record>
Json valueOf(const Record& record) {
    return objectOf(record);
}
template <class T>
Json valueOf(const std::vector<T>& list) {
    Json array = Json::array();
    for (const T& item : list)
        array.push_back(valueOf(item));
    return array;
}

template <class T>
void addField(Json& object, const FieldKey& key, const T& value) {
    object[key.name] = valueOf(value);
}
template <class T>
void addField(Json& object, const FieldKey& key, const std::optional<T>& value) {
    if (value)
        object[key.name] = valueOf(*value);
    else if (key.need != Need::Omitted)
        object[key.name] = nullptr;
}

template <FieldedRecord Record>
Json objectOf(const Record& record) {
    Json object = Json::object();
    eachField(record, [&](const FieldKey& key, const auto& value) { addField(object, key, value); });
    return object;
}

// Each kind of field read from its JSON value; false when the value is of another kind.
template <class Named, std::size_t N>
bool named(const Json& value, Named& out, const Named (&all)[N], const char* (*name)(Named)) {
    for (const Named candidate : all) {
        if (value.is_string() && value.get_ref<const std::string&>() == name(candidate)) {
            out = candidate;
            return true;
        }
    }
    return false;
}
bool read(const Json& value, std::string& out) {
    if (value.is_string())
        out = value.get<std::string>();
    return value.is_string();
}
bool read(const Json& value, bool& out) {
    if (value.is_boolean())
        out = value.get<bool>();
    return value.is_boolean();
}
bool read(const Json& value, std::uint64_t& out) {
    if (value.is_number_unsigned())
        out = value.get<std::uint64_t>();
    return value.is_number_unsigned();
}
bool read(const Json& value, Shard& out) {
    const std::optional<Shard> shard =
        value.is_string() ? Shard::parse(value.get_ref<const std::string&>()) : std::nullopt;
    if (shard)
        out = *shard;
    return shard.has_value();
}
bool read(const Json& value, SweepState& out) {
    return named(value, out, states, stateName);
}
bool read(const Json& value, FileContent& out) {
    return named(value, out, contents, contentName);
}
template <FieldedRecord Record>
bool readObject(const Json& object, Record& record);
template <FieldedRecord Record>
bool read(const Json& value, Record& out) {
    return readObject(value, out);
}
template <class T>
bool read(const Json& value, std::vector<T>& out) {
    if (!value.is_array())
        return false;
    for (const Json& item : value) {
        if (!read(item, out.emplace_back()))
            return false;
    }
    return true;
}

template <class T>
bool readField(const Json& object, const FieldKey& key, T& value) {
    const auto found = object.find(key.name);
    if (found == object.end())
        return key.need != Need::Required;
    return read(*found, value);
}
template <class T>
bool readField(const Json& object, const FieldKey& key, std::optional<T>& value) {
    const auto found = object.find(key.name);
    if (found == object.end() || found->is_null())
        return true;
    return read(*found, value.emplace());
}

template <FieldedRecord Record>
bool readObject(const Json& object, Record& record) {
    bool whole = object.is_object();
    eachField(record, [&](const FieldKey& key, auto& value) {
        whole = whole && readField(object, key, value);
    });
    return whole;
}

// The most of the settings text kept in the record. The reader itself stops at
// the first line longer than 998 characters, so a working settings file is far
// smaller.
constexpr std::size_t keptSettingsBytes = 1024 * 1024;

const Json& fieldOf(const Json& object, const char* name) {
    static const Json none;
    const auto found = object.find(name);
    return found == object.end() ? none : *found;
}

// A value short enough to be shown in a message, as it stands in the record.
std::string shown(const Json& value) {
    return value.is_string() ? value.get<std::string>() : value.dump();
}

} // namespace

const char* contentName(FileContent content) {
    return content == FileContent::Summary ? "summary" : "table";
}

const char* stateName(SweepState state) {
    switch (state) {
    case SweepState::Running:
        return "running";
    case SweepState::Complete:
        return "complete";
    case SweepState::Interrupted:
        return "interrupted";
    case SweepState::WriteFailed:
        break;
    }
    return "write failed";
}

void OutcomeTally::count(RunOutcome outcome) {
    switch (outcome) {
    case RunOutcome::Played:
        ++played;
        break;
    case RunOutcome::Refused:
        ++refused;
        break;
    case RunOutcome::OutOfMemory:
        ++outOfMemory;
        break;
    case RunOutcome::Failed:
        ++failed;
        break;
    }
}

SweepRecord SweepRecord::of(const SweepOptions& options) {
    const RunPlan& plan = options.plan;
    SweepRecord record;
    record.version = LURKFIELD_VERSION;
    record.settingsFile = options.configFile;
    const std::string_view settings =
        options.settingsText ? std::string_view(*options.settingsText) : std::string_view();
    record.settingsText = settings.substr(0, keptSettingsBytes);
    record.settingsTextCut = settings.size() > keptSettingsBytes;
    for (const SettingLine& line : options.settings)
        record.settingsLinesAdded.push_back(line.asFileLine());
    for (const VariedKey& key : plan.varied())
        record.varied.push_back({key.key, key.written, key.values.size()});
    record.reps = plan.reps();
    record.runs = plan.runs();
    record.shard = options.shard;
    record.runsInShard = options.sequence().size();
    record.turns = options.turns;
    record.every = options.every;
    record.seedRule = "run r is seeded with srand(" + std::to_string(plan.firstSeed()) +
                      " + r); run = design point x reps + rep";
    record.firstSeed = plan.firstSeed();
    return record;
}

void SweepRecord::setSessions(std::vector<SessionRecord> times) {
    sessions = std::move(times);
    if (sessions->empty())
        return;
    started = sessions->front().started;
    ended = sessions->back().ended;
    state = sessions->back().state;
}

std::vector<SessionRecord> SweepRecord::sessionsSoFar() const {
    if (sessions)
        return *sessions;
    return {{started, ended, state, workers}};
}

std::string toJson(const SweepRecord& record) {
    return objectOf(record).dump(2) + "\n";
}

std::optional<SweepRecord> fromJson(std::string_view text) {
    const Json object = Json::parse(text, nullptr, false);
    SweepRecord record;
    if (object.is_discarded() || !readObject(object, record) ||
        !record.program.starts_with("lurkfield-sweep"))
        return std::nullopt;
    return record;
}

std::string sweepDifference(const SweepRecord& theirs, const SweepRecord& ours) {
    const Json their = objectOf(theirs), our = objectOf(ours);
    std::optional<FieldKey> first;
    eachField(ours, [&](const FieldKey& key, const auto&) {
        if (key.identity.words && fieldOf(their, key.name) != fieldOf(our, key.name) &&
            (!first || key.identity.rank < first->identity.rank))
            first = key;
    });
    if (!first)
        return "";
    const std::string a = shown(fieldOf(their, first->name));
    const std::string b = shown(fieldOf(our, first->name));
    if (first->identity.neverShown || a.size() + b.size() > 80)
        return first->identity.differs;
    return std::string(first->identity.words) + " " + a + ", not " + b;
}

std::string resumeDifference(const SweepRecord& theirs, const SweepRecord& ours) {
    if (theirs.content != ours.content)
        return std::string("it is a ") + contentName(theirs.content) + ", not a " +
               contentName(ours.content);
    if (std::string difference = sweepDifference(theirs, ours); !difference.empty())
        return difference;
    if (theirs.shard != ours.shard)
        return "shard " + theirs.shard.text() + ", not " + ours.shard.text();
    return "";
}
