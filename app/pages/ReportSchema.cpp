#include "app/pages/ReportSchema.h"

#include <string_view>
#include <vector>

#include "app/pages/Categories.h"

namespace app {

namespace {

// The document around the categories: its header, the top-level keys and
// the shared definitions every field refers to.
constexpr std::string_view kHead = R"schema({
  "$schema": "https://json-schema.org/draft/2020-12/schema",
  "$id": "urn:veltrix:report:1",
  "title": "veltrix-report --format json",
  "description": "What every page of Veltrix shows, for scripts (docs/report-format.md, \"The JSON report\"). Keys are the collectors' property names; null where the page shows a fallback (Onbekend, Niet aanwezig, Niet ondersteund); a list value is its Dutch text with its number.",
  "type": "object",
  "required": ["schema", "version", "categories"],
  "properties": {
    "schema": {
      "const": "urn:veltrix:report:1",
      "description": "this schema; a new number when a key changes meaning or goes"
    },
    "version": {"type": "string", "pattern": "^[0-9]+\\.[0-9]+\\.[0-9]+$", "description": "the program's version"},
    "categories": {
      "type": "object",
      "minProperties": 1,
      "properties": {
)schema";

constexpr std::string_view kTail = R"schema(      },
      "additionalProperties": false,
      "description": "all fifteen categories in tab order, or the one --category names"
    }
  },
  "additionalProperties": false,
  "$defs": {
    "cut": {
      "type": "object",
      "description": "only where the machine listed more devices than a list holds (32767): items holds the first of them",
      "required": ["shown", "found"],
      "properties": {
        "shown": {"const": 32767, "description": "the devices in items"},
        "found": {"type": "integer", "minimum": 32768, "description": "the devices the machine listed"}
      },
      "additionalProperties": false
    },
    "text": {
      "type": ["string", "null"],
      "description": "machine text made safe: controls as \\xHH (docs/report-format.md)"
    },
    "integer": {"type": ["integer", "null"]},
    "number": {"type": ["number", "null"]},
    "bytes": {"type": ["integer", "null"], "minimum": 1, "description": "a byte count; null when not known"},
    "uint16": {"type": ["integer", "null"], "minimum": 1, "maximum": 65535},
    "byte": {"type": "integer", "minimum": 0, "maximum": 255},
    "listValue": {
      "oneOf": [
        {"type": "null"},
        {
          "type": "object",
          "required": ["text", "value"],
          "properties": {
            "text": {"type": "string", "description": "the entry the page shows"},
            "value": {"type": "integer", "description": "the number it stands for"}
          },
          "additionalProperties": false
        }
      ]
    }
  }
}
)schema";

// A JSON string; the notes are the program's own ASCII texts.
std::string Quoted(std::string_view text) {
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') quoted += '\\';
        quoted += c;
    }
    return quoted + "\"";
}

std::string DefinitionOf(JsonType type) {
    switch (type) {
        case JsonType::kText: return "text";
        case JsonType::kInteger: return "integer";
        case JsonType::kNumber: return "number";
        case JsonType::kBytes: return "bytes";
        case JsonType::kUnsigned16: return "uint16";
        case JsonType::kByte: return "byte";
        case JsonType::kListValue: return "listValue";
        case JsonType::kNone:
        case JsonType::kIndex:
        case JsonType::kAlwaysInteger: break;
    }
    return {};
}

// The schema of one key: a shared definition, or the index and the numbers
// that are never null written out.
std::string PropertyOf(const JsonField& json) {
    std::string schema;
    if (json.type == JsonType::kIndex)
        schema = R"("type": "integer", "minimum": 0)";
    else if (json.type == JsonType::kAlwaysInteger)
        schema = R"("type": "integer")";
    else
        schema = R"("$ref": "#/$defs/)" + DefinitionOf(json.type) + "\"";
    if (json.note) schema += ", \"description\": " + Quoted(json.note);
    return "{" + schema + "}";
}

// An object of fields: "type", "required" and "properties", each key in
// table order, the second key of a pair after the first.
void WriteObject(std::string& out, const std::string& indent, const std::vector<const FieldDeclaration*>& fields) {
    std::vector<std::pair<const char*, const JsonField*>> keys;
    for (const FieldDeclaration* field : fields) {
        keys.emplace_back(field->json.key, &field->json);
        if (field->json.secondKey) keys.emplace_back(field->json.secondKey, &field->json);
    }
    out += indent + "\"type\": \"object\",\n" + indent + "\"required\": [";
    for (std::size_t i = 0; i < keys.size(); ++i) out += (i ? ", " : "") + Quoted(keys[i].first);
    out += "],\n" + indent + "\"properties\": {";
    for (std::size_t i = 0; i < keys.size(); ++i)
        out += (i ? ",\n" : "\n") + indent + "  " + Quoted(keys[i].first) + ": " + PropertyOf(*keys[i].second);
    out += (keys.empty() ? "},\n" : "\n" + indent + "},\n") + indent + "\"additionalProperties\": false\n";
}

std::vector<const FieldDeclaration*> FieldsOf(const CategoryRow& row, const std::vector<const char*>& labels) {
    std::vector<const FieldDeclaration*> fields;
    for (const char* label : labels) fields.push_back(&FieldOf(row, label));
    return fields;
}

void WriteCategory(std::string& out, const CategoryRow& row) {
    std::string name = row.page.designTabText;
    std::erase(name, ' ');
    const bool items = row.page.multiDevice;
    out += "        " + Quoted(name) + ": {\n";
    out += "          \"type\": \"object\",\n";
    out += std::string("          \"required\": [\"number\", \"heading\", \"fields\"") + (items ? ", \"items\"" : "") + "],\n";
    out += "          \"properties\": {\n";
    out += "            \"number\": {\"const\": " + std::to_string(row.category) + "},\n";
    out += "            \"heading\": {\"type\": \"string\", \"description\": \"the tab's Dutch text, the text report's "
           "heading\"},\n";
    out += "            \"fields\": {\n";
    WriteObject(out, "              ", FieldsOf(row, items ? row.kind.CollectionLabels() : row.kind.ItemLabels()));
    out += "            }";
    if (items) {
        auto device = FieldsOf(row, row.kind.ItemLabels());
        device.insert(device.begin(), &FieldOf(row, IndexLabelName(row.category)));
        out += ",\n            \"cut\": {\"$ref\": \"#/$defs/cut\"},\n";
        out += "            \"items\": {\n";
        out += "              \"type\": \"array\",\n";
        out += "              \"items\": {\n";
        WriteObject(out, "                ", device);
        out += "              }\n";
        out += "            }";
    }
    out += "\n          },\n";
    out += "          \"additionalProperties\": false\n";
    out += "        }";
}

}  // namespace

std::string ReportSchema() {
    std::string out(kHead);
    for (const CategoryRow& row : CategoryTable()) {
        if (row.category != 0) out += ",\n";
        WriteCategory(out, row);
    }
    out += "\n";
    out += kTail;
    return out;
}

}  // namespace app
