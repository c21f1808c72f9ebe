// The Python module `ipgen`: the model library's classes with numpy arrays
// in and out, keyword arguments named like ipgen's long options (`_` for
// `-`), ipgen's refusals raised as ipgen.Error (a ValueError).
#include "ipgen/models.hpp"

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <string>
#include <vector>

namespace py = pybind11;
using namespace ipgen::models;

namespace {

// The keyword arguments as option values: True/False for flags, numbers,
// sequences of numbers (joined with commas) and strings as written.
Options options_of(const py::kwargs& kwargs) {
    Options options;
    for (const auto& [key, value] : kwargs) {
        const std::string name = py::str(key);
        std::string text;
        if (py::isinstance<py::bool_>(value)) {
            text = value.cast<bool>() ? "true" : "false";
        } else if (py::isinstance<py::str>(value)) {
            text = value.cast<std::string>();
        } else if (py::isinstance<py::int_>(value)) {
            text = py::str(value);
        } else if (py::isinstance<py::sequence>(value)) {
            for (const py::handle item : value.cast<py::sequence>()) {
                text += (text.empty() ? "" : ",") + std::string(py::str(item));
            }
        } else {
            throw Error("ipgen: --" + name + " " + std::string(py::str(value)) +
                        ": not a number, text, list or flag; accepted: int, str, list of int or "
                        "bool");
        }
        options.emplace_back(name, text);
    }
    return options;
}

template <typename T>
py::array_t<T> array_of(const std::vector<T>& values, std::vector<py::ssize_t> shape) {
    py::array_t<T> out(shape);
    std::copy(values.begin(), values.end(), out.mutable_data());
    return out;
}

template <typename T>
using In = py::array_t<T, py::array::c_style | py::array::forcecast>;

// Words as a 1-D array of one word or a 2-D array of words, `per`
// symbols each; the result keeps the leading shape with `out_per` each.
std::vector<py::ssize_t> word_shape(const py::buffer_info& in, int per, int out_per,
                                    const char* what) {
    if (in.ndim == 1) {
        return {out_per};
    }
    if (in.ndim == 2 && in.shape[1] == per) {
        return {in.shape[0], out_per};
    }
    throw Error(std::string("ipgen: ") + what + ": an array of shape (" + std::to_string(per) +
                ",) or (words, " + std::to_string(per) + ")" +
                "; accepted: one word or rows of words");
}

template <typename M>
void add_model_methods(py::class_<M>& cls) {
    cls.def_property_readonly("core", &M::core, "the ipgen core name")
        .def(
            "options",
            [](const M& m) {
                py::dict out;
                for (const auto& [name, value] : m.options()) {
                    out[py::str(name)] = value;
                }
                return out;
            },
            "every long option with its value, defaults included, as ipgen writes it")
        .def("beats", &M::beats, py::arg("lines"),
             "tb_in.hex lines (hex beats) in, the tb_out.hex lines the core gives out; what "
             "`ipgen model` does on files");
}

} // namespace

PYBIND11_MODULE(ipgen, m) {
    m.doc() = "ipgen's bit-true models of its cores (Reed-Solomon encoder and decoder, Viterbi "
              "decoder, FIR filter): each class computes what the core's hardware gives, word for "
              "word. Keyword arguments are ipgen's long options with _ for -.";
    py::register_exception<Error>(m, "Error", PyExc_ValueError);

    py::class_<RsEncoder> rs_encoder(
        m, "RsEncoder",
        "ipgen rs-encoder: systematic Reed-Solomon encoder.\n\n"
        "RsEncoder(symbol_width=8, n=255, k=239, ...) takes the options of `ipgen rs-encoder`.");
    rs_encoder.def(py::init([](const py::kwargs& kwargs) { return RsEncoder(options_of(kwargs)); }))
        .def_property_readonly("symbol_width", &RsEncoder::symbol_width)
        .def_property_readonly("n", &RsEncoder::n)
        .def_property_readonly("k", &RsEncoder::k)
        .def(
            "encode",
            [](const RsEncoder& e, const In<int>& data) {
                const py::buffer_info info = data.request();
                const auto shape = word_shape(info, e.k(), e.n(), "RsEncoder.encode");
                std::vector<int> out;
                {
                    py::gil_scoped_release release;
                    out = e.encode({data.data(), static_cast<std::size_t>(data.size())});
                }
                return array_of(out, shape);
            },
            py::arg("data"),
            "data symbols, shape (k,) or (words, k), to codewords, shape (n,) or (words, n): the "
            "k data symbols followed by the n-k parity symbols");
    add_model_methods(rs_encoder);

    py::class_<RsDecoder> rs_decoder(
        m, "RsDecoder",
        "ipgen rs-decoder: errors-and-erasures Reed-Solomon decoder.\n\n"
        "RsDecoder(symbol_width=8, n=255, k=239, erasures=4, ...) takes the options of "
        "`ipgen rs-decoder`.");
    rs_decoder.def(py::init([](const py::kwargs& kwargs) { return RsDecoder(options_of(kwargs)); }))
        .def_property_readonly("symbol_width", &RsDecoder::symbol_width)
        .def_property_readonly("n", &RsDecoder::n)
        .def_property_readonly("k", &RsDecoder::k)
        .def_property_readonly("erasures", &RsDecoder::max_erasures)
        .def(
            "decode",
            [](const RsDecoder& d, const In<int>& words,
               const std::optional<In<std::uint8_t>>& erasures) {
                const py::buffer_info info = words.request();
                const auto shape = word_shape(info, d.n(), d.n(), "RsDecoder.decode");
                std::span<const std::uint8_t> flags;
                if (erasures) {
                    flags = {erasures->data(), static_cast<std::size_t>(erasures->size())};
                }
                RsDecoder::Decoded out;
                {
                    py::gil_scoped_release release;
                    out = d.decode({words.data(), static_cast<std::size_t>(words.size())}, flags);
                }
                std::vector<py::ssize_t> per_word;
                if (info.ndim == 2) {
                    per_word.push_back(info.shape[0]);
                }
                return py::make_tuple(array_of(out.words, shape), array_of(out.changed, per_word),
                                      array_of(out.failed, per_word).attr("astype")("bool"));
            },
            py::arg("words"), py::arg("erasures") = py::none(),
            "received words, shape (n,) or (words, n), and optional erasure flags of the same "
            "shape (non-zero: erased), to (corrected words, symbols changed per word, failure per "
            "word). A failed word passes unchanged, as the core passes it.");
    add_model_methods(rs_decoder);

    py::class_<Viterbi> viterbi(
        m, "Viterbi",
        "ipgen viterbi: Viterbi decoder of terminated blocks.\n\n"
        "Viterbi(constraint_length=7, polynomials=[0o171, 0o133] as '171,133', soft_width=3, ...) "
        "takes the options of `ipgen viterbi`. Symbols are the core's input words: hard 0/1, soft "
        "unsigned 0 (sure 0) .. 2^D-1 (sure 1), soft signed -2^(D-1) (sure 0) .. 2^(D-1)-1 (sure "
        "1).");
    viterbi.def(py::init([](const py::kwargs& kwargs) { return Viterbi(options_of(kwargs)); }))
        .def_property_readonly("constraint_length", &Viterbi::constraint_length)
        .def_property_readonly("outputs", &Viterbi::outputs)
        .def_property_readonly("soft_width", &Viterbi::soft_width, "0 for hard decisions")
        .def_property_readonly("signed_symbols", &Viterbi::signed_symbols)
        .def_property_readonly("punctured", &Viterbi::punctured)
        .def(
            "encode",
            [](const Viterbi& v, const In<std::uint8_t>& bits, bool terminate) {
                const auto out =
                    v.encode({bits.data(), static_cast<std::size_t>(bits.size())}, terminate);
                return array_of(out, {static_cast<py::ssize_t>(out.size())});
            },
            py::arg("bits"), py::arg("terminate") = true,
            "information bits to the transmitted code bits (K-1 zero tail bits appended when "
            "terminate), punctured by the patterns from the block's start")
        .def(
            "quantise",
            [](const Viterbi& v, const In<double>& values) {
                const auto out =
                    v.quantise({values.data(), static_cast<std::size_t>(values.size())});
                return array_of(out, {static_cast<py::ssize_t>(out.size())});
            },
            py::arg("values"),
            "BPSK values (a 1 sent as +1) to the core's symbols: round((y+1)/2*(2^D-1)) within "
            "range (signed: minus 2^(D-1)); hard: y > 0")
        .def(
            "decode",
            [](const Viterbi& v, const In<int>& symbols,
               const std::optional<In<std::uint8_t>>& erasures) {
                std::span<const std::uint8_t> flags;
                if (erasures) {
                    flags = {erasures->data(), static_cast<std::size_t>(erasures->size())};
                }
                std::vector<std::uint8_t> out;
                {
                    py::gil_scoped_release release;
                    out =
                        v.decode({symbols.data(), static_cast<std::size_t>(symbols.size())}, flags);
                }
                return array_of(out, {static_cast<py::ssize_t>(out.size())});
            },
            py::arg("symbols"), py::arg("erasures") = py::none(),
            "one terminated block of transmitted symbols (punctured positions left out) to its "
            "decoded bits, the K-1 tail bits included, as the core delivers them; erasures: "
            "none, or one flag per symbol (an erased symbol adds nothing to any branch metric)");
    add_model_methods(viterbi);

    py::class_<Fir> fir(m, "Fir",
                        "ipgen fir: FIR filter.\n\n"
                        "Fir(coeff_width=16, taps=31, output_width=40, coeffs=[...], ...) takes "
                        "the options of `ipgen fir`.");
    fir.def(py::init([](const py::kwargs& kwargs) { return Fir(options_of(kwargs)); }))
        .def_property_readonly("is_complex", &Fir::is_complex)
        .def_property_readonly("taps", &Fir::taps)
        .def_property_readonly("full_width", &Fir::full_width,
                               "bits of a full-precision result part; the core keeps the top "
                               "output_width of them")
        .def_property_readonly("coefficient_count", &Fir::coefficient_count)
        .def_property_readonly("loadable", &Fir::loadable)
        .def(
            "filter",
            [](const Fir& f, const In<std::int64_t>& samples,
               const std::vector<std::pair<std::size_t, std::vector<std::int64_t>>>& reloads) {
                std::vector<Fir::Reload> sets;
                for (const auto& [before, coefficients] : reloads) {
                    sets.push_back({before, coefficients});
                }
                std::vector<std::int64_t> out;
                {
                    py::gil_scoped_release release;
                    out =
                        f.filter({samples.data(), static_cast<std::size_t>(samples.size())}, sets);
                }
                if (f.is_complex()) {
                    return array_of(out, {static_cast<py::ssize_t>(out.size() / 2), 2});
                }
                return array_of(out, {static_cast<py::ssize_t>(out.size())});
            },
            py::arg("samples"),
            py::arg("reloads") = std::vector<std::pair<std::size_t, std::vector<std::int64_t>>>{},
            "samples (complex: shape (N, 2), real and imaginary) to the core's results; reloads: "
            "(sample index, coefficients as --coeffs lists them) for a loadable core, each set "
            "in force from that sample on (decimation: from the block starting there or next)");
    add_model_methods(fir);
}
