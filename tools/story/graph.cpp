#include "tools/story/graph.h"

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "story/labels.h"
#include "tools/story/tables.h"

namespace barmen::storytool {

namespace {

std::string dotString(std::string_view text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + "\"";
}

// One drawn edge; rows of several buttons or rolls that join the same two
// labels the same way share it, so the duel stays readable.
struct Edge {
    std::string_view from;
    std::string_view to;
    std::string kind;                   // "" for progress, "1" to "3" for a choice, or win, tie, loss
    std::vector<std::string> rounds;    // for the duel: "choice vs golem" of each row
};

std::vector<Edge> edgesToDraw(const Story &story)
{
    std::vector<Edge> edges;
    std::map<std::tuple<std::string_view, std::string_view, std::string>, std::size_t> index;
    auto add = [&](std::string_view from, std::string_view to, std::string kind, std::string round) {
        const auto [it, fresh] = index.try_emplace({from, to, kind}, edges.size());
        if (fresh)
            edges.push_back({from, to, kind, {}});
        if (!round.empty())
            edges[it->second].rounds.push_back(std::move(round));
    };
    for (const Button &button : buttonsOf(story))
        for (const SceneRow &row : button.table->rows()) {
            const std::string_view to = row.next.empty() ? row.label : row.next;
            if (button.choice == 0) {
                // A progress row that keeps its label is a menu or an end: its node says so.
                if (!row.next.empty())
                    add(row.label, to, "", "");
            } else if (row.roll == 0) {
                add(row.label, to, std::to_string(button.choice), "");
            } else {
                static const char *const names[] = {"tie", "win", "loss"};
                const Outcome outcome = duelOutcome(button.choice, row.roll);
                add(row.label, to, names[int(outcome)],
                    std::to_string(button.choice) + " vs " + std::to_string(row.roll));
            }
        }
    return edges;
}

std::string edgeAttributes(const Edge &edge)
{
    static const std::map<std::string, std::string> styles = {
        {"", ""},
        {"1", "color=\"#1f5fbf\", fontcolor=\"#1f5fbf\""},
        {"2", "color=\"#c06000\", fontcolor=\"#c06000\""},
        {"3", "color=\"#7a2fa0\", fontcolor=\"#7a2fa0\""},
        {"win", "color=\"#2e8b2e\", fontcolor=\"#2e8b2e\", penwidth=2"},
        {"tie", "color=\"#808080\", fontcolor=\"#606060\", style=dashed"},
        {"loss", "color=\"#c03030\", fontcolor=\"#c03030\", penwidth=2"},
    };
    if (edge.kind.empty())
        return "";
    std::string label = edge.kind;
    // One round a line under the outcome, so the duel's three labels stay narrow.
    for (const std::string &round : edge.rounds)
        label += "\\n" + round;
    return " [label=\"" + label + "\", " + styles.at(edge.kind) + "]";
}

std::string nodeAttributes(const Story &story, std::string_view label, bool tested)
{
    if (!tested)
        return " [color=\"#c03030\", style=\"rounded,dashed\", fontcolor=\"#c03030\"]";   // a fault: see lint
    if (label == label::Ending36)
        return " [shape=doubleoctagon, style=filled, fillcolor=\"#a8e0a8\"]";
    if (label == label::GameOver)
        return " [shape=doubleoctagon, style=filled, fillcolor=\"#f0a8a8\"]";
    if (label == label::Start)
        return " [style=\"rounded,filled,bold\", fillcolor=\"#b8d4f0\"]";
    const SceneRow *progress = progressRowAt(story, label);
    if (progress && isMenuRow(*progress))
        return " [shape=hexagon, style=\"filled,bold\", fillcolor=\"#ffe08a\"]";
    return "";
}

// Labels in story order, grouped by family; each family gets a box.
std::vector<std::pair<std::string_view, std::vector<std::string_view>>> families(const Story &story)
{
    std::vector<std::pair<std::string_view, std::vector<std::string_view>>> groups;
    std::set<std::string_view> seen;
    auto place = [&](std::string_view label) {
        if (!seen.insert(label).second)
            return;
        const std::string_view family = familyOf(label);
        auto it = std::find_if(groups.begin(), groups.end(), [&](const auto &g) { return g.first == family; });
        if (it == groups.end())
            it = groups.insert(groups.end(), {family, {}});
        it->second.push_back(label);
    };
    for (const Button &button : buttonsOf(story))
        for (const SceneRow &row : button.table->rows())
            place(row.label);
    for (const Button &button : buttonsOf(story))
        for (const SceneRow &row : button.table->rows())
            if (!row.next.empty())
                place(row.next);
    return groups;
}

// A run of scenes that simply follow each other inside one family: each one's
// only way on is the progress edge to the next, and the next has no other way
// in. Drawn straight down, the story is some 150 scenes tall; laid out in rows
// like lines of text, it fits on a screen.
std::vector<std::vector<std::string_view>> straightRuns(const std::vector<Edge> &edges)
{
    std::map<std::string_view, int> outs, ins;
    for (const Edge &edge : edges) {
        ++outs[edge.from];
        ++ins[edge.to];
    }
    std::map<std::string_view, std::string_view> following;
    std::set<std::string_view> followers;
    for (const Edge &edge : edges)
        if (edge.kind.empty() && edge.from != edge.to && outs[edge.from] == 1 && ins[edge.to] == 1
            && familyOf(edge.from) == familyOf(edge.to)) {
            following[edge.from] = edge.to;
            followers.insert(edge.to);
        }
    std::vector<std::vector<std::string_view>> runs;
    for (const auto &[first, next] : following) {
        if (followers.count(first))
            continue;
        std::vector<std::string_view> run{first};
        for (auto it = following.find(first); it != following.end(); it = following.find(it->second))
            run.push_back(it->second);
        runs.push_back(std::move(run));
    }
    return runs;
}

constexpr std::size_t scenesPerRow = 6;

// Rows of a long run, as rank=same groups; the edge that ends a row leads
// back to the start of the next one.
void writeRows(const std::vector<std::string_view> &labels, const std::vector<std::vector<std::string_view>> &runs,
               std::ostream &out)
{
    for (const auto &run : runs) {
        if (run.size() <= scenesPerRow || std::find(labels.begin(), labels.end(), run.front()) == labels.end())
            continue;
        for (std::size_t row = 0; row < run.size(); row += scenesPerRow) {
            out << "    { rank=same;";
            for (std::size_t i = row; i < std::min(run.size(), row + scenesPerRow); ++i)
                out << " " << dotString(run[i]) << ";";
            out << " }\n";
            // Keeps the rows' first scenes in one column, so the rows read like lines.
            if (row > 0)
                out << "    " << dotString(run[row - scenesPerRow]) << " -> " << dotString(run[row])
                    << " [style=invis, weight=20];\n";
        }
    }
}

// The edges that end one row of a long run and lead to the start of the next.
std::set<std::pair<std::string_view, std::string_view>> rowEnds(const std::vector<std::vector<std::string_view>> &runs)
{
    std::set<std::pair<std::string_view, std::string_view>> ends;
    for (const auto &run : runs)
        if (run.size() > scenesPerRow)
            for (std::size_t next = scenesPerRow; next < run.size(); next += scenesPerRow)
                ends.insert({run[next - 1], run[next]});
    return ends;
}

} // namespace

void writeDot(const Story &story, std::ostream &out)
{
    const Edges tested = edgesOf(story);
    out << "digraph story {\n"
           "  graph [rankdir=TB, fontname=\"NanumGothic\", fontsize=14, nodesep=0.15, ranksep=0.22,"
           " newrank=true, labeljust=l, style=\"rounded\", color=\"#a0a0a0\",\n"
           "         labelloc=t, label=\"바르멘: black edges progress, 1 2 3 the choice buttons,"
           " win tie loss the duel (choice vs golem); hexagons are menus\"];\n"
           "  node [shape=box, style=rounded, fontname=\"NanumGothic\", fontsize=11, height=0.3, margin=\"0.08,0.03\"];\n"
           "  edge [fontname=\"NanumGothic\", fontsize=10, arrowsize=0.6];\n";
    const std::vector<Edge> edges = edgesToDraw(story);
    const auto runs = straightRuns(edges);
    for (const auto &[family, labels] : families(story)) {
        out << "  subgraph " << dotString("cluster_" + std::string(family)) << " {\n"
            << "    label=" << dotString(family) << ";\n";
        for (std::string_view label : labels)
            out << "    " << dotString(label) << nodeAttributes(story, label, tested.count(label)) << ";\n";
        writeRows(labels, runs, out);
        out << "  }\n";
    }
    const auto wraps = rowEnds(runs);
    for (const Edge &edge : edges) {
        out << "  " << dotString(edge.from) << " -> " << dotString(edge.to) << edgeAttributes(edge);
        // Down from the row's last scene and into the next row's first from above,
        // clear of the arrows along the rows.
        if (wraps.count({edge.from, edge.to}))
            out << " [tailport=s, headport=n]";
        out << ";\n";
    }
    out << "}\n";
}

} // namespace barmen::storytool
