#include "smithchartjson.h"

#include "smithchartrenderer.h"
#include "smithmapping.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <vector>

namespace {

// Appends JSON texts to one buffer: a chart of many points runs to megabytes. Members go a line
// each, indented by their depth.
class JsonText
{
public:
    JsonText &operator<<(const char *text)
    {
        m_text += text;
        return *this;
    }

    JsonText &operator<<(double value)
    {
        if (!std::isfinite(value))
            return *this << "null";
        char digits[32];
        const auto result = std::to_chars(std::begin(digits), std::end(digits), value);
        m_text.append(digits, int(result.ptr - digits));
        return *this;
    }

    JsonText &operator<<(int value) { return *this << double(value); }
    JsonText &operator<<(bool value) { return *this << (value ? "true" : "false"); }

    JsonText &operator<<(const QString &text)
    {
        m_text += '"';
        for (const char byte : text.toUtf8()) {
            if (byte == '"' || byte == '\\') {
                m_text += '\\';
                m_text += byte;
            } else if (static_cast<unsigned char>(byte) < 0x20) {
                m_text += "\\u00";
                m_text += "0123456789abcdef"[byte >> 4];
                m_text += "0123456789abcdef"[byte & 15];
            } else {
                m_text += byte;
            }
        }
        m_text += '"';
        return *this;
    }

    JsonText &operator<<(std::complex<double> gamma)
    {
        return *this << gamma.real() << ", " << gamma.imag();
    }

    JsonText &key(const char *name)
    {
        m_text += m_firsts.back() ? "\n" : ",\n";
        m_firsts.back() = false;
        return *this << indent().constData() << "\"" << name << "\": ";
    }

    template<typename T> JsonText &member(const char *name, const T &value)
    {
        return key(name) << value;
    }

    // An array of the items, one to a line.
    template<typename Items, typename Write>
    JsonText &array(const char *name, const Items &items, Write write)
    {
        key(name) << "[";
        const QByteArray inner = indent() + "  ";
        const char *separator = "\n";
        for (const auto &item : items) {
            *this << separator << inner.constData();
            write(item);
            separator = ",\n";
        }
        return items.empty() ? *this << "]" : *this << "\n" << indent().constData() << "]";
    }

    JsonText &open(const char *name)
    {
        key(name) << "{";
        m_firsts.push_back(true);
        return *this;
    }

    JsonText &close()
    {
        m_firsts.pop_back();
        return *this << "\n" << indent().constData() << "}";
    }

    QByteArray text() const { return m_text; }

private:
    QByteArray indent() const { return QByteArray(2 * int(m_firsts.size()), ' '); }

    QByteArray m_text = "{";
    std::vector<bool> m_firsts{true}; // for each open object, whether no member is written yet
};

JsonText &operator<<(JsonText &json, const SmithChartContent::Setting &setting)
{
    return json << "{\"name\": " << setting.name << ", \"value\": " << setting.value
                << ", \"unit\": " << setting.unit << "}";
}

void writeSettings(JsonText &json, const SmithChartContent &content)
{
    if (content.frequency)
        json.member("frequency", *content.frequency);
    else
        json.member("frequency", "null");
    json.key("drive") << "{\"held\": [";
    const char *separator = "";
    for (const SmithChartContent::Setting &setting : content.held) {
        json << separator << setting;
        separator = ", ";
    }
    json << "], \"compression\": ";
    if (content.compression)
        json << *content.compression;
    else
        json << "null";
    json << "}";
}

// The triangles of a mesh, by the points' positions in "points".
void writeTriangles(JsonText &json, const MeasuredMesh *mesh, const std::vector<int> &position)
{
    static const std::vector<DelaunayTriangulation::Triangle> none;
    const std::vector<int> *used = mesh ? &mesh->used() : nullptr;
    json.array("triangles", mesh ? mesh->triangles() : none,
               [&](const DelaunayTriangulation::Triangle &t) {
                   json << "[" << position[(*used)[t.a]] << ", " << position[(*used)[t.b]] << ", "
                        << position[(*used)[t.c]] << "]";
               });
}

// At compression, each load shown with the drive level and each quantity where it compresses,
// named as in the file: {"gamma": [re, im], "Pin_avail": 23.5, "Pout": 39.7, ...}.
void writeLoads(JsonText &json, const SmithChartRenderer &renderer)
{
    const SmithChartContent &content = renderer.content();
    const std::vector<int> none;
    std::vector<const SmithChartContent::Quantity *> named;
    for (const SmithChartContent::Quantity &quantity : content.contoured)
        named.push_back(&quantity);
    for (const SmithChartContent::Target &target : content.targets) {
        if (std::none_of(named.begin(), named.end(),
                         [&](const auto *q) { return q->name == target.quantity.name; }))
            named.push_back(&target.quantity);
    }
    const auto valueOf = [](const SmithChartContent::Quantity &quantity, int i) {
        return i < int(quantity.values.size()) ? quantity.values[i] : std::nan("");
    };
    json.array("loads", content.compression ? renderer.shown() : none, [&](int i) {
        json << "{\"gamma\": [" << content.gammas[i] << "], " << content.drive.name << ": "
             << valueOf(content.drive, i);
        for (const SmithChartContent::Quantity *quantity : named)
            json << ", " << quantity->name << ": " << valueOf(*quantity, i);
        json << "}";
    });
}

// The highest value, with its place as a reflection coefficient and as an impedance.
void writeOptimum(JsonText &json, const QuantityContours *quantity,
                  const SmithChartContent &content)
{
    if (!quantity || !quantity->maximum()) {
        json.member("optimum", "null");
        return;
    }
    const std::complex<double> gamma = content.gammas[*quantity->maximum()];
    json.key("optimum") << "{\"gamma\": [" << gamma << "], \"impedance\": ["
                        << SmithMapping::impedanceOf(gamma, content.referenceImpedance)
                        << "], \"value\": " << quantity->maximumValue() << "}";
}

// A quantity's triangles, levels, contours and highest value.
void writeContours(JsonText &json, const QuantityContours *quantity,
                   const SmithChartContent &content, const std::vector<int> &position)
{
    const std::vector<std::complex<double>> &gammas = content.gammas;
    static const std::vector<double> noLevels;
    static const std::vector<QuantityContours::Contour> noContours;
    writeTriangles(json, quantity ? &quantity->mesh() : nullptr, position);
    json.array("levels", quantity ? quantity->levels() : noLevels,
               [&](double level) { json << level; });
    json.array("contours", quantity ? quantity->contours() : noContours,
               [&](const QuantityContours::Contour &contour) {
                   json << "{\"level\": " << contour.level << ", \"segments\": [";
                   const char *separator = "";
                   for (const QLineF &segment : contour.segments) {
                       json << separator << "[" << segment.x1() << ", " << segment.y1() << ", "
                            << segment.x2() << ", " << segment.y2() << "]";
                       separator = ", ";
                   }
                   json << "]}";
               });
    if (quantity && quantity->maximum())
        json.key("maximum") << "[" << gammas[*quantity->maximum()] << ", "
                            << quantity->maximumValue() << "]";
    else
        json.member("maximum", "null");
    writeOptimum(json, quantity, content);
}

void writeTarget(JsonText &json, const SmithChartRenderer &renderer,
                 const std::vector<int> &position)
{
    const std::optional<TargetRegion> &region = renderer.target();
    if (!region) {
        json.member("target", "null");
        return;
    }
    json.open("target");
    json.array("bounds", renderer.content().targets, [&](const SmithChartContent::Target &target) {
        json << "{\"quantity\": " << target.quantity.name << ", \"unit\": " << target.quantity.unit
             << ", \"relation\": " << (target.bound.atLeast ? "\">=\"" : "\"<=\"")
             << ", \"value\": " << target.bound.value << ", \"values\": [";
        const char *separator = "";
        for (int i : renderer.shown()) {
            json << separator << target.quantity.values[i];
            separator = ", ";
        }
        json << "]}";
    });
    writeTriangles(json, &region->mesh(), position);
    json.array("points", region->met(), [&](int i) { json << position[i]; });
    const std::vector<QPolygonF> polygons = region->polygons();
    json.array("region", polygons, [&](const QPolygonF &polygon) {
        json << "[";
        const char *separator = "";
        for (const QPointF &corner : polygon) {
            json << separator << "[" << corner.x() << ", " << corner.y() << "]";
            separator = ", ";
        }
        json << "]";
    });
    json.member("area", region->area());
    json.member("empty", region->empty());
    json.close();
}

} // namespace

QByteArray SmithChartJson::of(const SmithChartRenderer &renderer, const Members &ownCondition)
{
    const SmithChartContent &content = renderer.content();
    const std::vector<QuantityContours> &quantities = renderer.quantities();
    JsonText json;
    json.member("gamma", content.coefficient);
    if (ownCondition.empty())
        json.member("condition", content.condition);
    json.member("z0", content.referenceImpedance);
    writeSettings(json, content);
    if (content.contoured.empty()) {
        json.member("quantity", "null");
        json.member("unit", QString());
    } else {
        json.member("quantity", content.contoured[0].name);
        json.member("unit", content.contoured[0].unit);
    }
    // The points' positions in "points", for the triangles, which index the points used.
    std::vector<int> position(content.gammas.size());
    for (int i = 0; i < int(renderer.shown().size()); ++i)
        position[renderer.shown()[i]] = i;
    json.array("points", renderer.shown(), [&](int i) {
        json << "[" << content.gammas[i];
        for (std::size_t q = 0; q < std::max<std::size_t>(1, content.contoured.size()); ++q) {
            const std::vector<double> *values =
                q < content.contoured.size() ? &content.contoured[q].values : nullptr;
            json << ", " << (values && i < int(values->size()) ? (*values)[i] : std::nan(""));
        }
        json << "]";
    });
    for (const auto &[name, gammas] : {std::pair("uncompressed", &content.uncompressed),
                                       std::pair("unfollowed", &content.unfollowed)})
        json.array(name, *gammas, [&](std::complex<double> gamma) { json << "[" << gamma << "]"; });
    json.member("duplicates", double(content.duplicates));
    writeLoads(json, renderer);
    writeContours(json, quantities.empty() ? nullptr : &quantities[0], content, position);
    if (quantities.size() > 1) {
        json.open("second");
        json.member("quantity", quantities[1].name());
        json.member("unit", quantities[1].unit());
        writeContours(json, &quantities[1], content, position);
        json.close();
    } else {
        json.member("second", "null");
    }
    writeTarget(json, renderer, position);
    json.member("note", renderer.noteText());
    for (const auto &[name, value] : ownCondition)
        json.key(name) << value.constData();
    json << "\n}\n";
    return json.text();
}
